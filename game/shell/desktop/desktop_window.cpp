// The frame window as a desktop window: the zoom it shows the handset's
// screen at, chosen for the monitor it is on and kept when the player
// chooses one; its system menu, Ctrl+Plus and Ctrl+Minus, sizing by the
// border in whole zoom steps, and another monitor or display.
#include "layer.h"
#include "registry_value.h"

const wchar_t ZOOM_KEY[] = L"Software\\Nolvo Systems Inc.\\Desktop Handset Layer";
const wchar_t ZOOM_VALUE[] = L"DesktopZoom";

namespace {

// Where the zoom was kept before the layer had a key of its own: beside the
// settings of the program it stands in for. Read once, moved to ZOOM_KEY.

// The desktop window around the handset's screen.
struct DesktopState {
    HWND frameWindow;  // the first parent given a softkey bar that is not a dialog
    int zoom;          // shown, 1 without a frame window
    int chosenZoom;    // the player's choice, 0 for none
    int largestZoom;   // the largest whose window fits the monitor's work area
    int layerSizing;   // the layer itself is sizing the frame window
};
DesktopState desk = {nullptr, 1, 0, 1, 0};

constexpr int FIRST_START_PERCENT = 80;  // of the work area, without a chosen zoom
constexpr LONG_PTR DESKTOP_STYLE = WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME;

// Calls of Windows 10 and later, looked up by name; older systems size
// the window frame for the system's DPI.
struct DpiCalls {
    decltype(&GetDpiForWindow) dpiForWindow;
    decltype(&AdjustWindowRectExForDpi) adjustForDpi;
};

// Looked up once, by the window's own thread (plain statics: no guard, and
// nothing of the C++ library).
DpiCalls foundCalls;
int callsLooked;

const DpiCalls& dpiCalls()
{
    if (callsLooked)
        return foundCalls;
    callsLooked = 1;
    HMODULE user = GetModuleHandleW(L"user32.dll");
    foundCalls.dpiForWindow = procOf<decltype(foundCalls.dpiForWindow)>(user, "GetDpiForWindow");
    foundCalls.adjustForDpi = procOf<decltype(foundCalls.adjustForDpi)>(user, "AdjustWindowRectExForDpi");
    return foundCalls;
}

int withinZooms(int z) { return z < 1 ? 1 : (z > desk.largestZoom ? desk.largestZoom : z); }

// The window's rectangle around a client area of the frame at zoom z whose
// top-left corner is (0, 0).
RECT frameAround(HWND window, int z, UINT dpi)
{
    RECT wanted = {0, 0, SCREEN_WIDTH * z, SCREEN_HEIGHT * z};
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    if (!dpiCalls().adjustForDpi || !dpiCalls().adjustForDpi(&wanted, style, FALSE, exStyle, dpi))
        AdjustWindowRectEx(&wanted, style, FALSE, exStyle);
    return wanted;
}

SIZE sizeAt(HWND window, int z, UINT dpi)
{
    const RECT around = frameAround(window, z, dpi);
    return SIZE{around.right - around.left, around.bottom - around.top};
}

RECT workAreaOf(HMONITOR monitor)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (monitor && GetMonitorInfoW(monitor, &info))
        return info.rcWork;
    RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

RECT workArea(HWND window) { return workAreaOf(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)); }

// 1 when the frame window at zoom z, with its softkey bar below, fits into
// percent of area.
int fits(HWND frame, int z, const RECT& area, UINT dpi, int percent)
{
    const SIZE window = sizeAt(frame, z, dpi);
    return window.cx * 100 <= (area.right - area.left) * percent &&
           (window.cy + SOFTKEY_BAR_HEIGHT * z) * 100 <= (area.bottom - area.top) * percent;
}

// A zoom that cannot be kept is chosen afresh at the next start.
void keepZoom(int z)
{
    const DWORD kept = static_cast<DWORD>(z);
    writeValue(HKEY_CURRENT_USER, ZOOM_KEY, ZOOM_VALUE, REG_DWORD, &kept, sizeof kept);
}

// The kept zoom; 0 when there is none that can be used.
int storedZoom()
{
    DWORD value = 0;
    DWORD type = 0;
    DWORD size = sizeof value;
    if (readValue(HKEY_CURRENT_USER, ZOOM_KEY, ZOOM_VALUE, &type, &value, &size) != ERROR_SUCCESS)
        return 0;
    return type == REG_DWORD && size == sizeof value && value >= 1 && value <= MAX_ZOOM ? static_cast<int>(value) : 0;
}

void checkZoomItems()
{
    HMENU menu = GetSystemMenu(desk.frameWindow, FALSE);
    for (int z = 1; menu && z <= desk.largestZoom; ++z)
        CheckMenuItem(
            menu, SC_ZOOM_BASE + SC_ZOOM_STEP * z, MF_BYCOMMAND | (z == desk.zoom ? MF_CHECKED : MF_UNCHECKED));
}

// The system menu offers "Zoom 1x" up to the largest zoom.
void listZoomItems()
{
    HMENU menu = GetSystemMenu(desk.frameWindow, FALSE);
    if (!menu)
        return;
    for (int z = 1; z <= MAX_ZOOM; ++z)
        DeleteMenu(menu, SC_ZOOM_BASE + SC_ZOOM_STEP * z, MF_BYCOMMAND);
    for (int z = 1; z <= desk.largestZoom; ++z) {
        wchar_t text[] = L"Zoom 16x";  // the desktop's own item, in no resource of the handset's
        int at = 5;
        if (z >= 10)
            text[at++] = static_cast<wchar_t>(L'0' + z / 10);
        text[at++] = static_cast<wchar_t>(L'0' + z % 10);
        text[at++] = L'x';
        text[at] = L'\0';
        AppendMenuW(menu, MF_STRING, SC_ZOOM_BASE + SC_ZOOM_STEP * z, text);
    }
    checkZoomItems();
}

// The zooms for a monitor's work area at dpi: the largest whose window fits
// it, and the one shown: the player's choice while it fits, otherwise the
// largest whose window fits 80 % of it.
void chooseZoomFor(const RECT& area, UINT dpi)
{
    desk.largestZoom = 1;
    while (desk.largestZoom < MAX_ZOOM && fits(desk.frameWindow, desk.largestZoom + 1, area, dpi, 100))
        ++desk.largestZoom;
    int z = desk.chosenZoom;
    if (!z)
        for (z = desk.largestZoom; z > 1 && !fits(desk.frameWindow, z, area, dpi, FIRST_START_PERCENT);)
            --z;
    desk.zoom = withinZooms(z);
    listZoomItems();
}

// Sizes the frame window to the frame at the zoom with its top-left corner
// at (x, y), moved as far as needed to lie within area with its bar. The
// client area is then checked: whatever the system's frame turned out to
// be, it is the frame at the zoom.
void placeFrame(HWND frame, int x, int y, const RECT& area, UINT dpi)
{
    const SIZE size = sizeAt(frame, desk.zoom, dpi);
    const int height = size.cy + SOFTKEY_BAR_HEIGHT * desk.zoom;
    x = x + size.cx > area.right ? area.right - size.cx : x;
    y = y + height > area.bottom ? area.bottom - height : y;
    x = x < area.left ? area.left : x;
    y = y < area.top ? area.top : y;
    ++desk.layerSizing;
    SetWindowPos(frame, nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RECT client;
    if (GetClientRect(frame, &client) &&
        (client.right != SCREEN_WIDTH * desk.zoom || client.bottom != SCREEN_HEIGHT * desk.zoom))
        SetWindowPos(frame,
                     nullptr,
                     0,
                     0,
                     size.cx + SCREEN_WIDTH * desk.zoom - client.right,
                     size.cy + SCREEN_HEIGHT * desk.zoom - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    --desk.layerSizing;
}

// The frame window at the zoom, where it is as far as its monitor allows.
void resizeFrame()
{
    RECT now;
    GetWindowRect(desk.frameWindow, &now);
    placeFrame(desk.frameWindow, now.left, now.top, workArea(desk.frameWindow), dpiOf(desk.frameWindow));
}

// Shows everything at zoom z (within 1 and the largest that fits); the
// player's choice, kept for the next start.
void setZoom(int z)
{
    z = withinZooms(z);
    desk.chosenZoom = z;
    desk.zoom = z;
    keepZoom(z);
    checkZoomItems();
    resizeFrame();
}

// Sizing by the border goes in whole zoom steps: the dragged rectangle
// becomes that of the nearest zoom, the edge opposite the dragged one kept.
void snapSizing(HWND window, WPARAM edge, RECT* drag)
{
    const UINT dpi = dpiOf(window);
    const SIZE one = sizeAt(window, 1, dpi);
    const int borderX = one.cx - SCREEN_WIDTH;
    const int borderY = one.cy - SCREEN_HEIGHT;
    const int across = (drag->right - drag->left - borderX + SCREEN_WIDTH / 2) / SCREEN_WIDTH;
    const int down = (drag->bottom - drag->top - borderY + SCREEN_HEIGHT / 2) / SCREEN_HEIGHT;
    int z = edge == WMSZ_LEFT || edge == WMSZ_RIGHT   ? across
            : edge == WMSZ_TOP || edge == WMSZ_BOTTOM ? down
                                                      : (across > down ? across : down);
    const SIZE size = sizeAt(window, withinZooms(z), dpi);
    if (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT)
        drag->left = drag->right - size.cx;
    else
        drag->right = drag->left + size.cx;
    if (edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT)
        drag->top = drag->bottom - size.cy;
    else
        drag->bottom = drag->top + size.cy;
}

// A size the layer did not set (the border, a window manager) picks the
// nearest zoom, and the window then takes that zoom's size: 1 then.
int onSize(WPARAM kind, int width, int height)
{
    if (desk.layerSizing || kind == SIZE_MINIMIZED ||
        (width == SCREEN_WIDTH * desk.zoom && height == SCREEN_HEIGHT * desk.zoom))
        return 0;
    const int across = (width + SCREEN_WIDTH / 2) / SCREEN_WIDTH;
    const int down = (height + SCREEN_HEIGHT / 2) / SCREEN_HEIGHT;
    setZoom(across < down ? across : down);
    return 1;
}

void onGetMinMaxInfo(HWND window, MINMAXINFO* limits)
{
    const UINT dpi = dpiOf(window);
    const SIZE smallest = sizeAt(window, 1, dpi);
    const SIZE largest = sizeAt(window, desk.largestZoom, dpi);
    limits->ptMinTrackSize = POINT{smallest.cx, smallest.cy};
    limits->ptMaxTrackSize = POINT{largest.cx, largest.cy};
}

// The window moved to a monitor of another scaling: the zoom is chosen for
// that monitor, and the window placed where the system suggests, within it.
void onDpiChanged(UINT dpi, const RECT* suggested)
{
    const RECT area = workAreaOf(MonitorFromRect(suggested, MONITOR_DEFAULTTONEAREST));
    chooseZoomFor(area, dpi);
    placeFrame(desk.frameWindow, suggested->left, suggested->top, area, dpi);
}

// Another display size or work area: the zoom is chosen again for the
// window's monitor, and the window kept on it.
void onDisplayChange()
{
    chooseZoomFor(workArea(desk.frameWindow), dpiOf(desk.frameWindow));
    resizeFrame();
}

}  // namespace

UINT dpiOf(HWND window)
{
    const UINT dpi = dpiCalls().dpiForWindow && window ? dpiCalls().dpiForWindow(window) : 0;
    return dpi ? dpi : systemDpi();
}

SIZE windowSizeAt(HWND window, int z) { return sizeAt(window, z, dpiOf(window)); }

// The frame window becomes a desktop window: a system menu with the zooms,
// a close and a minimise button, a border to size it by, and the zoom the
// player chose last time, or the first start's, centred on its monitor.
void becomeDesktopWindow(HWND window)
{
    desk.frameWindow = window;
    // Desktop GDI may hold drawing calls back in a batch; the paint reads and
    // writes pixels directly, so this thread's calls are made one by one.
    GdiSetBatchLimit(1);
    SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | DESKTOP_STYLE);
    HMENU menu = GetSystemMenu(window, FALSE);
    if (menu)
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    desk.chosenZoom = storedZoom();
    const RECT area = workArea(window);
    const UINT dpi = dpiOf(window);
    chooseZoomFor(area, dpi);
    // Centred as it shows: the window down to its client area's bottom edge,
    // and the bar there, which hides the border below.
    const RECT around = frameAround(window, desk.zoom, dpi);
    const int shownHeight = (SCREEN_HEIGHT + SOFTKEY_BAR_HEIGHT) * desk.zoom - around.top;
    placeFrame(window,
               area.left + (area.right - area.left - (around.right - around.left)) / 2,
               area.top + (area.bottom - area.top - shownHeight) / 2,
               area,
               dpi);
}

void leaveDesktopWindow() { desk = DesktopState{nullptr, 1, 0, 1, 0}; }

int frameMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC own, LRESULT* result, int* repaint)
{
    *result = 0;
    *repaint = 0;
    switch (message) {
    case WM_SYSCOMMAND: {
        const UINT command = static_cast<UINT>(wParam & 0xFFF0);
        if (command <= SC_ZOOM_BASE || command > SC_ZOOM_BASE + SC_ZOOM_STEP * MAX_ZOOM)
            return 0;
        setZoom(static_cast<int>((command - SC_ZOOM_BASE) / SC_ZOOM_STEP));
        *repaint = 1;
        return 1;
    }
    case WM_GETMINMAXINFO:
        CallWindowProcW(own, window, message, wParam, lParam);
        onGetMinMaxInfo(window, reinterpret_cast<MINMAXINFO*>(lParam));
        return 1;
    case WM_SIZING:
        snapSizing(window, wParam, reinterpret_cast<RECT*>(lParam));
        *result = TRUE;
        return 1;
    case WM_SIZE:
        *repaint = onSize(wParam, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_DPICHANGED:
        onDpiChanged(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        *repaint = 1;
        return 1;
    case WM_DISPLAYCHANGE:
        onDisplayChange();
        *repaint = 1;
        return 0;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETWORKAREA) {
            onDisplayChange();
            *repaint = 1;
        }
        return 0;
    default:
        return 0;
    }
}

// 1 when key, with Ctrl held, stepped the zoom (Ctrl+Plus, Ctrl+Minus).
int zoomKey(WPARAM key)
{
    if (!desk.frameWindow || GetKeyState(VK_CONTROL) >= 0)
        return 0;
    if (key == VK_OEM_PLUS || key == VK_ADD)
        setZoom(desk.zoom + 1);
    else if (key == VK_OEM_MINUS || key == VK_SUBTRACT)
        setZoom(desk.zoom - 1);
    else
        return 0;
    return 1;
}

int desktopZoom() { return desk.frameWindow ? desk.zoom : 1; }

HWND frameWindow() { return desk.frameWindow; }
