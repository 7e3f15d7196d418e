// Entry of setup.exe. The command line and the show state are not used.
#include "flow.h"
#include "win32_calls.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // Before anything else loads: DLLs from the system folder only.
    restrictDllSearch();
    return launcherMain(instance);
}
