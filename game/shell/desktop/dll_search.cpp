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
void loadFromSystemFolder(const wchar_t* name)
{
    wchar_t path[MAX_PATH];
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length + lstrlenW(name) + 2 > MAX_PATH)
        return;
    path[length] = L'\\';
    lstrcpynW(path + length + 1, name, MAX_PATH - int(length) - 1);
    LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

int searchSystemFolderOnly()
{
    if (restrictDllSearch())
        return 1;
    loadFromSystemFolder(L"winmm.dll");
    return 0;
}

// Runs while the program starts, before WinMain and before anything loads a DLL.
const int searchRestricted = searchSystemFolderOnly();

}  // namespace
