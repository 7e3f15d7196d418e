// Where kubrelse.exe takes its DLLs from on a desktop: the system folder
// only, never its own folder or the current one, where anyone may have put
// a DLL named like one Windows loads. Its static imports are DLLs Windows
// keeps among its known DLLs (always taken from the system folder); WINMM is
// not one of them, so the desktop program imports it delay-loaded (see
// CMakeLists.txt): it is loaded at the first sound, once the search below
// is restricted. The game's own calls stay as the handset makes them.
#include "win32_calls.h"

namespace {

// Without the restricting call (Vista and 7 without their updates), WINMM is
// loaded now from the system folder by its full path, and the delay-loaded
// import then finds it loaded.
int searchSystemFolderOnly()
{
    if (restrictDllSearch())
        return 1;
    loadSystemLibrary("winmm.dll");
    return 0;
}

// Runs while the program starts, before WinMain and before anything loads a DLL.
const int searchRestricted = searchSystemFolderOnly();

}  // namespace
