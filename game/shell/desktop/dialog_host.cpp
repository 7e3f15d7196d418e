// The full-screen dialogs: they lose their frame and cover the handset's
// screen at the zoom; a dialog with controls has them placed, sized and
// lettered zoom times as large as on the handset.
#include "layer.h"

namespace {

int isStatic(HWND window)
{
    wchar_t name[16];
    return GetClassNameW(window, name, 16) > 0 && lstrcmpiW(name, L"Static") == 0;
}

// A length the dialog manager laid out at dpi, in handset pixels.
LONG handsetPixels(LONG length, UINT dpi) { return MulDiv(length, USER_DEFAULT_SCREEN_DPI, static_cast<int>(dpi)); }

// The controls' font zoom times as large as at the handset's 96 DPI; null
// at zoom 1 on such a screen, where the dialog's own is that font.
HFONT zoomedFont(const Host* host, int z, UINT dpi)
{
    LOGFONTW font;
    HGDIOBJ own = host->font ? static_cast<HGDIOBJ>(host->font) : GetStockObject(SYSTEM_FONT);
    if ((z == 1 && dpi == USER_DEFAULT_SCREEN_DPI) || !GetObjectW(own, sizeof font, &font))
        return nullptr;
    font.lfHeight = handsetPixels(font.lfHeight, dpi) * z;
    font.lfWidth = handsetPixels(font.lfWidth, dpi) * z;
    return CreateFontIndirectW(&font);
}

void zoomIcon(Control* c, int width, int height)
{
    if (!c->icon)
        return;
    HANDLE icon = CopyImage(c->icon, IMAGE_ICON, width, height, 0);
    SendMessageW(c->window, STM_SETICON, reinterpret_cast<WPARAM>(icon ? icon : c->icon), 0);
    if (c->madeIcon)
        DestroyIcon(c->madeIcon);
    c->madeIcon = static_cast<HICON>(icon);
}

// Places, sizes and letters the controls of a hosted dialog at the zoom.
void zoomControls(Host* host)
{
    const int z = desktopZoom();
    if (host->picture || host->shownZoom == z)
        return;
    HFONT made = zoomedFont(host, z, dpiOf(host->window));
    for (int i = 0; i < host->controls; ++i) {
        Control& c = host->control[i];
        const int width = (c.place.right - c.place.left) * z;
        const int height = (c.place.bottom - c.place.top) * z;
        SetWindowPos(
            c.window, nullptr, c.place.left * z, c.place.top * z, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(c.window, WM_SETFONT, reinterpret_cast<WPARAM>(made ? made : host->font), FALSE);
        zoomIcon(&c, width, height);
    }
    if (host->madeFont)
        DeleteObject(host->madeFont);
    host->madeFont = made;
    host->shownZoom = z;
    RedrawWindow(host->window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace

// The controls as the dialog manager placed them, taken back to handset
// pixels within the handset's screen; the dialog then shows them there at
// any zoom and on a screen of any DPI.
void recordControls(Host* host)
{
    HWND window = host->window;
    const UINT dpi = dpiOf(window);
    host->font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    for (HWND c = GetWindow(window, GW_CHILD); c && host->controls < MAX_CONTROLS; c = GetWindow(c, GW_HWNDNEXT)) {
        Control& control = host->control[host->controls++];
        control.window = c;
        RECT r;
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        r = RECT{handsetPixels(r.left, dpi),
                 handsetPixels(r.top, dpi),
                 handsetPixels(r.right, dpi),
                 handsetPixels(r.bottom, dpi)};
        const RECT screen = {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
        IntersectRect(&control.place, &r, &screen);
        if ((GetWindowLongPtrW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && isStatic(c))
            control.icon = reinterpret_cast<HICON>(SendMessageW(c, STM_GETICON, 0, 0));
    }
    host->picture = host->controls == 0;
}

// What the layer made for the controls goes with the dialog.
void releaseControls(Host* host)
{
    for (int i = 0; i < host->controls; ++i)
        if (host->control[i].madeIcon)
            DestroyIcon(host->control[i].madeIcon);
    if (host->madeFont)
        DeleteObject(host->madeFont);
}

// A full-screen dialog covers the frame at the zoom.
void placeDialog(Host* host)
{
    POINT origin = {0, 0};
    if (frameWindow())
        ClientToScreen(frameWindow(), &origin);
    SetWindowPos(host->window,
                 nullptr,
                 origin.x,
                 origin.y,
                 SCREEN_WIDTH * desktopZoom(),
                 SCREEN_HEIGHT * desktopZoom(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    zoomControls(host);
}

void makeFullScreen(Host* host)
{
    HWND dialog = host->window;
    // A full-screen dialog has no frame of its own: it is the screen.
    LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
    style &= ~static_cast<LONG_PTR>(WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | DS_MODALFRAME | WS_CHILD);
    style |= WS_POPUP;
    SetWindowLongPtrW(dialog, GWL_STYLE, style);
    LONG_PTR exStyle = GetWindowLongPtrW(dialog, GWL_EXSTYLE);
    exStyle &= ~static_cast<LONG_PTR>(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE);
    SetWindowLongPtrW(dialog, GWL_EXSTYLE, exStyle);
    SetWindowPos(dialog, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED);
    host->fullScreen = 1;
    placeDialog(host);
}
