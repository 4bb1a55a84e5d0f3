// The program's exit codes.
#pragma once

namespace app {

enum ExitCode : int {
    ExitNormal = 0,
    ExitStartupFailed = 1,   // the user has been told why
    ExitAlreadyRunning = 2,  // the running copy was brought forward instead
};

}  // namespace app
