// Where setup.exe takes its DLLs from: the system folder only. A launcher
// runs from a disk or a downloads folder, where anyone may have put a DLL
// named like one Windows loads; neither its own folder nor the current one
// is searched. Its static imports are kernel32, user32, gdi32, advapi32 and
// msvcrt, which Windows keeps among its known DLLs (always taken from the
// system folder, their dependencies too); the shell library, whose own
// dependencies Windows and Wine look for beside the program, is loaded here
// once the search is restricted.
#include "dlls.h"

#include <windows.h>

#include <shellapi.h>
#include <shellscalingapi.h>

#include "launcher_state.h"
#include "win32_calls.h"

void openWithShell(const char* path, int show)
{
    using ShellExecuteFn = decltype(&ShellExecuteA);
    ShellExecuteFn shellExecute = procOf<ShellExecuteFn>(loadSystemLibrary("shell32.dll"), "ShellExecuteA");
    if (shellExecute != nullptr) {
        shellExecute(nullptr, "open", path, nullptr, nullptr, show);
    }
}

int16_t primaryMonitorDpi()
{
    // Windows 8.1 on: the monitor's own; before it, the system's, which is the same.
    using GetDpiForMonitorFn = decltype(&GetDpiForMonitor);
    GetDpiForMonitorFn getDpi = procOf<GetDpiForMonitorFn>(loadSystemLibrary("shcore.dll"), "GetDpiForMonitor");
    POINT origin = {0, 0};
    UINT x = 0;
    UINT y = 0;
    if (getDpi != nullptr &&
        getDpi(MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY), MDT_EFFECTIVE_DPI, &x, &y) == S_OK && y > 0 &&
        y < 0x8000) {
        return static_cast<int16_t>(y);
    }
    const UINT dpi = systemDpi();
    return static_cast<int16_t>(dpi < 0x8000 ? dpi : USER_DEFAULT_SCREEN_DPI);
}

int dpiScaled(int pixels)
{
    int dpi = launcher.screenDpi > 0 ? launcher.screenDpi : USER_DEFAULT_SCREEN_DPI;
    return MulDiv(pixels, dpi, USER_DEFAULT_SCREEN_DPI);
}
