// Only one copy of the program runs: the first copy holds a named object, a second copy
// finds it, brings the first copy's window forward and ends.
#pragma once

#include <windows.h>

#include "system/OsKind.h"

namespace app {

class CSingleInstance {
public:
    CSingleInstance() = default;
    ~CSingleInstance() { release(); }
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    // Creates the object named `name`: on Windows 9x a 32-byte read-only mapping of the
    // paging file, elsewhere a mutex. False when another copy made it first.
    bool claim(const char* name, sys::OsKind os);
    void release();

private:
    HANDLE handle_ = nullptr;
};

// Restores the running copy's window, whose title is `title`, brings it to the front
// and asks it to show its current page again.
void bringRunningCopyForward(const char* title);

}  // namespace app
