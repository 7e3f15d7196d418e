// Entry of setup.exe. The command line and the show state are not used.
#include "launcher.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // Before anything else loads: DLLs from the system folder only.
    restrictDllSearch();
    return launcherMain(instance);
}
