#include "win32_calls.h"

int restrictDllSearch()
{
    using SetDefaultFn = decltype(&SetDefaultDllDirectories);
    const SetDefaultFn setDefault = procOf<SetDefaultFn>(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    SetDllDirectoryW(L"");
    return setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32) ? 1 : 0;
}

UINT systemDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}
