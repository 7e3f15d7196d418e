// The windows the layer stands in front of: the frame window and the
// dialogs over it. Their messages come here first: F1/F2 are the softkeys,
// Ctrl+Plus/Minus the zoom, the bar and the full-screen dialogs follow the
// frame, a picture is painted zoomed, and the keys stay with the window.
#include "layer.h"

namespace {

Host hosts[MAX_HOSTS];

LRESULT CALLBACK hostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

Host* hostOf(HWND window)
{
    for (Host& host : hosts)
        if (host.window == window)
            return &host;
    return nullptr;
}

// Every host is painted anew (after a change of zoom).
void invalidateHosts()
{
    for (Host& host : hosts)
        if (host.window)
            InvalidateRect(host.window, nullptr, !host.picture);
}

LRESULT callOwn(const Host* host, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcW(host->own, host->window, message, wParam, lParam);
}

// 1 when the key was the layer's: a softkey, or a zoom step.
int onKeyDown(const Host* host, WPARAM key)
{
    if ((key == VK_F1 || key == VK_F2) && host->softkeys.bar) {
        pressSoftkey(host->softkeys.bar, key == VK_F1 ? 0 : 1);
        return 1;
    }
    if (!zoomKey(key))
        return 0;
    invalidateHosts();
    return 1;
}

// The bar and the full-screen dialogs follow the frame.
void onWindowPosChanged(const Host* host)
{
    if (host->softkeys.bar)
        placeBar(host->window, host->softkeys.bar);
    if (host->window != frameWindow())
        return;
    for (Host& other : hosts)
        if (other.window && other.fullScreen)
            placeDialog(&other);
}

// The handset gives an activated window the keys by itself; on the desktop
// that is left to the window's default handling, which the game's own
// activation handler does not call.
LRESULT onActivate(const Host* host, WPARAM wParam, LPARAM lParam)
{
    HWND window = host->window;
    const LRESULT result = callOwn(host, WM_ACTIVATE, wParam, lParam);
    HWND focus = GetFocus();
    if (LOWORD(wParam) != WA_INACTIVE && !IsIconic(window) && focus != window && !IsChild(window, focus))
        SetFocus(window);
    return result;
}

// The window goes: it gets its own procedure back, and what the layer made
// for it goes too.
void onNcDestroy(Host* host)
{
    HWND window = host->window;
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(host->own));
    releaseControls(host);
    *host = Host{};
    if (window == frameWindow()) {
        leaveDesktopWindow();
        releaseZoomedPaint();
    }
}

LRESULT CALLBACK hostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Host* host = hostOf(window);
    if (!host)
        return DefWindowProcW(window, message, wParam, lParam);
    if (window == frameWindow()) {
        LRESULT result = 0;
        int repaint = 0;
        const int handled = frameMessage(window, message, wParam, lParam, host->own, &result, &repaint);
        if (repaint)
            invalidateHosts();
        if (handled)
            return result;
    }
    const int zoomedPicture = host->picture && desktopZoom() > 1;
    switch (message) {
    case WM_KEYDOWN:
        if (onKeyDown(host, wParam))
            return 0;
        break;
    case WM_PAINT:
        if (!zoomedPicture)
            break;
        paintZoomed(host, desktopZoom());
        return 0;
    case WM_ERASEBKGND:
        if (zoomedPicture)
            return 1;  // the zoomed paint covers every pixel
        break;
    case WM_WINDOWPOSCHANGED:
        onWindowPosChanged(host);
        break;
    case WM_ACTIVATE:
        return onActivate(host, wParam, lParam);
    case WM_NCDESTROY: {
        const WNDPROC own = host->own;
        onNcDestroy(host);
        return CallWindowProcW(own, window, message, wParam, lParam);
    }
    default:
        break;
    }
    return callOwn(host, message, wParam, lParam);
}

}  // namespace

Host* subclassHost(HWND window)
{
    Host* host = hostOf(window);
    if (host)
        return host;
    host = hostOf(nullptr);
    if (!host)
        return nullptr;
    *host = Host{};
    host->window = window;
    host->own = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    recordControls(host);
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hostProc));
    return host;
}

int isDialog(HWND window)
{
    wchar_t name[16];
    return GetClassNameW(window, name, 16) > 0 && lstrcmpiW(name, L"#32770") == 0;
}
