#include "win32_calls.h"

int restrictDllSearch()
{
    using SetDefaultFn = decltype(&SetDefaultDllDirectories);
    const SetDefaultFn setDefault = procOf<SetDefaultFn>(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    SetDllDirectoryW(L"");
    return setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32) ? 1 : 0;
}

HMODULE loadSystemLibrary(const char* name)
{
    char path[MAX_PATH];
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + static_cast<UINT>(lstrlenA(name)) >= MAX_PATH)
        return nullptr;
    path[length] = '\\';
    lstrcpynA(path + length + 1, name, MAX_PATH - static_cast<int>(length) - 1);
    return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

UINT systemDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}
