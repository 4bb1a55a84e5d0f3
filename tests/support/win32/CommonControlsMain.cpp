// The main function of the Windows test programs that show common controls: their window
// classes, and the program's own level bar, are registered before any test runs.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "controls/win32/LevelBar.h"

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    registerLevelBarClass();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
