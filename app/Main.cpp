// Tovix.exe: the configuration utility of the VORNAX TX-LM70RDV wireless LAN cards.
#include <windows.h>

#include "app/UtilityApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CUtilityApp app(instance);
    return app.run();
}
