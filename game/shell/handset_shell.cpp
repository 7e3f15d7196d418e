#include "handset_shell.h"

#include <cstring>

#include "render.h"
#include "shell_state.h"
#include "wide_text.h"

const wchar_t ZOOM_VALUE[] = L"DesktopZoom";

namespace {

const wchar_t BAR_CLASS[] = L"KubrelSE softkey bar";

constexpr int MAX_SOFTKEYS = 2;
constexpr int LABEL_ROOM = 32;
constexpr WORD NO_DROP_DOWN = 0xFFFF;
constexpr WORD BUTTON_WORDS = 7;
constexpr int MAX_HOSTS = 4;             // the frame window and the dialogs over it
constexpr int MAX_CONTROLS = 8;          // of one hosted dialog
constexpr int FIRST_START_PERCENT = 80;  // of the work area, for the first zoom
constexpr LONG_PTR DESKTOP_STYLE = WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME;

struct Softkey {
    UINT command;
    WORD dropDown;  // pop-up index within the menu, NO_DROP_DOWN for none
    wchar_t label[LABEL_ROOM];
};

struct SoftkeyBar {
    HWND parent;
    HINSTANCE instance;
    WORD menuId;
    int count;
    Softkey keys[MAX_SOFTKEYS];
};

// A control of a hosted dialog: where it lies at zoom 1, and for an icon
// the icon it came with and the larger one the layer made for it.
struct Control {
    HWND window;
    RECT place;
    HICON icon;
    HICON madeIcon;
};

// A window the layer stands in front of: the frame window, or a dialog with
// a softkey bar or shown full screen. This table owns the records, the
// softkey bars' records inside them too; a slot is free while window is
// null. The table, not a window property, so that finding the record costs
// no call to the window system on every message.
struct Host {
    HWND window;
    WNDPROC own;  // the window's own procedure
    HWND bar;
    SoftkeyBar barData;
    int fullScreen;  // a dialog made to cover the frame
    int picture;     // no controls: its client area is a frame the layer zooms
    int shownZoom;   // the zoom its controls have been given, 0 for none
    int controls;
    Control control[MAX_CONTROLS];
    HFONT font;      // the controls' own font
    HFONT madeFont;  // that font zoom times as large, made by the layer
};

Host hosts[MAX_HOSTS];

// The window whose client area is the handset's screen: the first parent
// given a softkey bar that is not a dialog. Full-screen dialogs cover it.
HWND frameWindow;
int zoom = 1;
int largestZoom = 1;  // the largest whose whole window fits the work area
int layerSizing;      // the layer itself is sizing the frame window

// z, kept within 1 and the largest zoom.
int withinZooms(int z) { return z < 1 ? 1 : (z > largestZoom ? largestZoom : z); }

// What a zoomed paint keeps: the 176 x 180 frame that the hosted window
// prints into, and the frame zoom times as large, both as 32-bit pixels.
struct Pixels {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ replaced;
    uint32_t* pixels;
    int zoom;
};
Pixels frame;
Pixels zoomedFrame;
// The frame as the zoomed frame shows it: a paint zooms only the pixels
// that differ from it. A new zoomed frame is black, and so is this then.
uint32_t shownFrame[FRAME_WIDTH * FRAME_HEIGHT];

void releasePixels(Pixels* kept)
{
    if (kept->dc) {
        SelectObject(kept->dc, kept->replaced);
        DeleteObject(kept->bitmap);
        DeleteDC(kept->dc);
    }
    *kept = Pixels{};
}

LRESULT CALLBACK hostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

SoftkeyBar* barData(HWND bar) { return reinterpret_cast<SoftkeyBar*>(GetWindowLongPtrW(bar, GWLP_USERDATA)); }

int hasClass(HWND window, const wchar_t* className)
{
    wchar_t name[16];
    return GetClassNameW(window, name, 16) > 0 && lstrcmpiW(name, className) == 0;
}

int isDialog(HWND window) { return hasClass(window, L"#32770"); }
int isStatic(HWND window) { return hasClass(window, L"Static"); }

Host* hostOf(HWND window)
{
    for (Host& host : hosts)
        if (host.window == window)
            return &host;
    return nullptr;
}

// The record of window, which the layer now stands in front of; null when
// the table is full.
Host* hostFor(HWND window)
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
    // Controls are kept at their zoom-1 places within the handset's screen,
    // and a full-screen dialog puts them there (zoomControls) at any zoom.
    host->font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    for (HWND c = GetWindow(window, GW_CHILD); c && host->controls < MAX_CONTROLS; c = GetWindow(c, GW_HWNDNEXT)) {
        Control& control = host->control[host->controls++];
        control.window = c;
        GetWindowRect(c, &control.place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&control.place), 2);
        const RECT screen = {0, 0, FRAME_WIDTH, FRAME_HEIGHT};
        IntersectRect(&control.place, &control.place, &screen);
        if ((GetWindowLongPtrW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && isStatic(c))
            control.icon = reinterpret_cast<HICON>(SendMessageW(c, STM_GETICON, 0, 0));
    }
    host->picture = host->controls == 0;
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hostProc));
    return host;
}

// Reads menu-bar resource id: the menu id, the button count, then seven
// words per button (image, command, state, style, label string, 0, drop-down).
int readMenuBar(HINSTANCE instance, UINT id, SoftkeyBar* bar)
{
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), RT_RCDATA);
    if (!found)
        return 0;
    const DWORD bytes = SizeofResource(instance, found);
    HGLOBAL loaded = LoadResource(instance, found);
    const WORD* words = loaded ? static_cast<const WORD*>(LockResource(loaded)) : nullptr;
    if (!words || bytes < 2 * sizeof(WORD))
        return 0;
    const DWORD count = words[1];
    if (count < 1 || count > MAX_SOFTKEYS || bytes < (2 + BUTTON_WORDS * count) * sizeof(WORD))
        return 0;
    bar->menuId = words[0];
    bar->count = static_cast<int>(count);
    for (DWORD i = 0; i < count; ++i) {
        const WORD* button = words + 2 + BUTTON_WORDS * i;
        Softkey& key = bar->keys[i];
        key.command = button[1];
        key.dropDown = button[6];
        if (LoadStringW(instance, button[4], key.label, LABEL_ROOM) <= 0)
            key.label[0] = L'\0';
    }
    return 1;
}

RECT workArea()
{
    RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

// The window rectangle of window whose client area is the frame at zoom z,
// with its top-left corner at (0, 0).
RECT windowAt(HWND window, int z)
{
    RECT wanted = {0, 0, FRAME_WIDTH * z, FRAME_HEIGHT * z};
    AdjustWindowRectEx(&wanted,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)),
                       FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    OffsetRect(&wanted, -wanted.left, -wanted.top);
    return wanted;
}

// 1 when the frame window at zoom z, with its softkey bar below, fits into
// percent of the work area.
int fits(int z, int percent)
{
    const RECT area = workArea();
    const RECT window = windowAt(frameWindow, z);
    return window.right * 100 <= (area.right - area.left) * percent &&
           (window.bottom + SOFTKEY_BAR_HEIGHT * z) * 100 <= (area.bottom - area.top) * percent;
}

// The zoom kept in the game's key; 0 when there is none that can be used.
int storedZoom()
{
    DWORD value = 0;
    DWORD type = 0;
    DWORD size = sizeof value;
    if (!shell.appKey ||
        RegQueryValueExW(shell.appKey, ZOOM_VALUE, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value || value < 1 || value > MAX_ZOOM)
        return 0;
    return static_cast<int>(value);
}

void placeBar(HWND parent, HWND bar)
{
    if (IsIconic(parent)) {
        ShowWindow(bar, SW_HIDE);
        return;
    }
    RECT client;
    if (!GetClientRect(parent, &client))
        return;
    POINT below = {0, client.bottom};
    ClientToScreen(parent, &below);
    SetWindowPos(bar,
                 nullptr,
                 below.x,
                 below.y,
                 client.right,
                 SOFTKEY_BAR_HEIGHT * zoom,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

// Sizes the frame window to the frame at the zoom: centred in the work area
// when it is new, otherwise kept where it is as far as the work area allows.
void sizeFrame(int centre)
{
    const RECT area = workArea();
    const RECT size = windowAt(frameWindow, zoom);
    const int height = size.bottom + SOFTKEY_BAR_HEIGHT * zoom;
    RECT now;
    GetWindowRect(frameWindow, &now);
    int x = now.left;
    int y = now.top;
    if (centre) {
        x = area.left + (area.right - area.left - size.right) / 2;
        y = area.top + (area.bottom - area.top - height) / 2;
    } else {
        x = x + size.right > area.right ? area.right - size.right : x;
        y = y + height > area.bottom ? area.bottom - height : y;
    }
    x = x < area.left ? area.left : x;
    y = y < area.top ? area.top : y;
    ++layerSizing;
    SetWindowPos(frameWindow, nullptr, x, y, size.right, size.bottom, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    --layerSizing;
}

// Places, sizes and letters the controls of a hosted dialog at the zoom.
void zoomControls(Host* host)
{
    if (host->picture || host->shownZoom == zoom)
        return;
    HFONT made = nullptr;
    LOGFONTW font;
    if (zoom > 1 &&
        GetObjectW(host->font ? static_cast<HGDIOBJ>(host->font) : GetStockObject(SYSTEM_FONT), sizeof font, &font)) {
        font.lfHeight *= zoom;
        font.lfWidth *= zoom;
        made = CreateFontIndirectW(&font);
    }
    for (int i = 0; i < host->controls; ++i) {
        Control& c = host->control[i];
        const int width = (c.place.right - c.place.left) * zoom;
        const int height = (c.place.bottom - c.place.top) * zoom;
        SetWindowPos(
            c.window, nullptr, c.place.left * zoom, c.place.top * zoom, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(c.window, WM_SETFONT, reinterpret_cast<WPARAM>(made ? made : host->font), FALSE);
        if (!c.icon)
            continue;
        HANDLE icon = zoom > 1 ? CopyImage(c.icon, IMAGE_ICON, width, height, 0) : nullptr;
        SendMessageW(c.window, STM_SETICON, reinterpret_cast<WPARAM>(icon ? icon : c.icon), 0);
        if (c.madeIcon)
            DestroyIcon(c.madeIcon);
        c.madeIcon = static_cast<HICON>(icon);
    }
    if (host->madeFont)
        DeleteObject(host->madeFont);
    host->madeFont = made;
    host->shownZoom = zoom;
    RedrawWindow(host->window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// A full-screen dialog covers the frame at the zoom.
void placeDialog(Host* host)
{
    POINT origin = {0, 0};
    if (frameWindow)
        ClientToScreen(frameWindow, &origin);
    SetWindowPos(host->window,
                 nullptr,
                 origin.x,
                 origin.y,
                 FRAME_WIDTH * zoom,
                 FRAME_HEIGHT * zoom,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    zoomControls(host);
}

void checkZoomItems()
{
    HMENU menu = GetSystemMenu(frameWindow, FALSE);
    for (int z = 1; menu && z <= largestZoom; ++z)
        CheckMenuItem(menu, SC_ZOOM_BASE + SC_ZOOM_STEP * z, MF_BYCOMMAND | (z == zoom ? MF_CHECKED : MF_UNCHECKED));
}

// Shows everything at zoom z (within 1 and the largest that fits); one
// chosen by the user is kept for the next start.
void setZoom(int z)
{
    if (!frameWindow)
        return;
    z = withinZooms(z);
    const DWORD kept = static_cast<DWORD>(z);
    if (shell.appKey)
        RegSetValueExW(shell.appKey, ZOOM_VALUE, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&kept), sizeof kept);
    zoom = z;
    checkZoomItems();
    sizeFrame(0);  // moves the bars and the dialogs along
    for (Host& host : hosts)
        if (host.window)
            InvalidateRect(host.window, nullptr, !host.picture);
}

// The frame window becomes a desktop window: a system menu with the zooms,
// a close and a minimise button, a border to size it by, and the zoom kept
// from the last run, or on a first start the largest whose window fits in
// 80 % of the work area. A kept zoom that no longer fits is lowered.
void becomeDesktopWindow(HWND window)
{
    frameWindow = window;
    // Desktop GDI may hold drawing calls back in a batch; the paint reads and
    // writes pixels directly, so this thread's calls are made one by one.
    GdiSetBatchLimit(1);
    SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | DESKTOP_STYLE);
    largestZoom = 1;
    while (largestZoom < MAX_ZOOM && fits(largestZoom + 1, 100))
        ++largestZoom;
    zoom = storedZoom();
    if (!zoom)
        for (zoom = largestZoom; zoom > 1 && !fits(zoom, FIRST_START_PERCENT);)
            --zoom;
    zoom = withinZooms(zoom);
    HMENU menu = GetSystemMenu(window, FALSE);
    if (menu)
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    for (int z = 1; menu && z <= largestZoom; ++z) {
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
    sizeFrame(1);
}

// Sizing by the border goes in whole zoom steps: the dragged rectangle
// becomes that of the nearest zoom, the edge opposite the dragged one kept.
void snapSizing(HWND window, WPARAM edge, RECT* drag)
{
    const RECT one = windowAt(window, 1);
    const int borderX = one.right - FRAME_WIDTH;
    const int borderY = one.bottom - FRAME_HEIGHT;
    const int across = (drag->right - drag->left - borderX + FRAME_WIDTH / 2) / FRAME_WIDTH;
    const int down = (drag->bottom - drag->top - borderY + FRAME_HEIGHT / 2) / FRAME_HEIGHT;
    int z = edge == WMSZ_LEFT || edge == WMSZ_RIGHT   ? across
            : edge == WMSZ_TOP || edge == WMSZ_BOTTOM ? down
                                                      : (across > down ? across : down);
    z = withinZooms(z);
    const RECT size = windowAt(window, z);
    if (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT)
        drag->left = drag->right - size.right;
    else
        drag->right = drag->left + size.right;
    if (edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT)
        drag->top = drag->bottom - size.bottom;
    else
        drag->bottom = drag->top + size.bottom;
}

// 1 when pixels holds the frame at zoom z (made anew for another zoom).
int keepPixels(Pixels* kept, int z)
{
    if (kept->dc && kept->zoom == z)
        return 1;
    releasePixels(kept);
    Pixels made = {};
    made.dc = makePixelContext(FRAME_WIDTH * z, FRAME_HEIGHT * z, &made.bitmap, &made.replaced, &made.pixels);
    if (!made.dc)
        return 0;
    made.zoom = z;
    *kept = made;
    if (kept == &zoomedFrame)
        std::memset(shownFrame, 0, sizeof shownFrame);
    return 1;
}

int contains(const RECT& outer, const RECT& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

RECT zoomed(const RECT& r) { return RECT{r.left * zoom, r.top * zoom, r.right * zoom, r.bottom * zoom}; }

// Brings part of the zoomed frame up to date with the frame: in each row
// the pixels from the first to the last that differ from what is shown are
// written anew, each as a block of zoom x zoom (the first row of a block
// pixel by pixel, the others copied). The window system's own stretching
// is several times slower, and most of a frame is the same from one paint
// to the next.
void zoomPart(const RECT& part)
{
    const int width = FRAME_WIDTH * zoom;
    for (int y = part.top; y < part.bottom; ++y) {
        const uint32_t* from = frame.pixels + static_cast<size_t>(y) * FRAME_WIDTH;
        uint32_t* shown = shownFrame + static_cast<size_t>(y) * FRAME_WIDTH;
        int first = part.left;
        int last = part.right - 1;
        if (!std::memcmp(from + first, shown + first, static_cast<size_t>(last + 1 - first) * sizeof(uint32_t)))
            continue;
        while (first <= last && from[first] == shown[first])
            ++first;
        while (last >= first && from[last] == shown[last])
            --last;
        if (first > last)
            continue;
        uint32_t* row = zoomedFrame.pixels + static_cast<size_t>(y) * zoom * width + first * zoom;
        uint32_t* to = row;
        for (int x = first; x <= last; ++x)
            for (int i = 0; i < zoom; ++i)
                *to++ = from[x];
        const size_t bytes = static_cast<size_t>(last + 1 - first) * zoom * sizeof(uint32_t);
        for (int i = 1; i < zoom; ++i)
            std::memcpy(row + static_cast<size_t>(i) * width, row, bytes);
        std::memcpy(shown + first, from + first, static_cast<size_t>(last + 1 - first) * sizeof(uint32_t));
    }
}

// The paint of a hosted picture at a zoom above 1. The update rectangle is
// taken both as frame pixels (what the game invalidates) and as screen
// pixels (what the desktop uncovers); each part of the frame it names is
// shown whole, as blocks of zoom x zoom pixels, from the frame the window
// prints. Where those blocks reach beyond the update region, they are drawn
// through a context of the whole window.
void paintZoomed(const Host* host)
{
    HWND window = host->window;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (dc && keepPixels(&frame, 1) && keepPixels(&zoomedFrame, zoom)) {
        const RECT& update = ps.rcPaint;
        const RECT whole = {0, 0, FRAME_WIDTH, FRAME_HEIGHT};
        const RECT asScreen = {
            update.left / zoom, update.top / zoom, (update.right + zoom - 1) / zoom, (update.bottom + zoom - 1) / zoom};
        RECT parts[2];
        IntersectRect(&parts[0], &update, &whole);
        IntersectRect(&parts[1], &asScreen, &whole);
        if (contains(parts[1], parts[0]))
            SetRectEmpty(&parts[0]);
        else if (contains(parts[0], parts[1]))
            SetRectEmpty(&parts[1]);
        RECT clip;
        int inside = GetClipBox(dc, &clip) == SIMPLEREGION;
        for (const RECT& part : parts)
            inside = inside && (IsRectEmpty(&part) || contains(clip, zoomed(part)));
        HDC target = inside ? dc : GetDC(window);
        CallWindowProcW(host->own, window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(frame.dc), PRF_CLIENT);
        for (const RECT& part : parts) {
            if (IsRectEmpty(&part))
                continue;
            zoomPart(part);
            const RECT shown = zoomed(part);
            if (target)
                BitBlt(target,
                       shown.left,
                       shown.top,
                       shown.right - shown.left,
                       shown.bottom - shown.top,
                       zoomedFrame.dc,
                       shown.left,
                       shown.top,
                       SRCCOPY);
        }
        if (target && target != dc)
            ReleaseDC(window, target);
    }
    EndPaint(window, &ps);
}

void dropDownMenu(HWND bar, const SoftkeyBar* data, const Softkey& key)
{
    HMENU menu = LoadMenuW(data->instance, MAKEINTRESOURCEW(data->menuId));
    if (!menu)
        return;
    HMENU popup = GetSubMenu(menu, key.dropDown);
    RECT place;
    if (popup && GetWindowRect(bar, &place)) {
        // The owner gets WM_INITMENUPOPUP now and WM_COMMAND for the choice.
        TrackPopupMenuEx(
            popup, TPM_RIGHTALIGN | TPM_BOTTOMALIGN | TPM_LEFTBUTTON, place.right, place.top, data->parent, nullptr);
    }
    DestroyMenu(menu);
}

void paintBar(HWND bar)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(bar, &ps);
    if (!dc)
        return;
    const int z = zoom;
    RECT area;
    GetClientRect(bar, &area);
    HBRUSH fill = CreateSolidBrush(RGB(24, 40, 72));
    if (fill) {
        FillRect(dc, &area, fill);
        DeleteObject(fill);
    }
    RECT edge = {area.left, area.top, area.right, area.top + z};
    HBRUSH line = CreateSolidBrush(RGB(120, 150, 200));
    if (line) {
        FillRect(dc, &edge, line);
        RECT divider = {area.right / 2, area.top + 5 * z, area.right / 2 + z, area.bottom - 4 * z};
        FillRect(dc, &divider, line);
        DeleteObject(line);
    }
    const SoftkeyBar* data = barData(bar);
    HFONT font = CreateFontW(-12 * z, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    HGDIOBJ keptFont = font ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    for (int i = 0; data && i < data->count; ++i) {
        RECT half = area;
        half.top += z;
        if (i == 0) {
            half.left += 6 * z;
            half.right = area.right / 2 - 2 * z;
        } else {
            half.left = area.right / 2 + 2 * z;
            half.right -= 6 * z;
        }
        DrawTextW(dc,
                  data->keys[i].label,
                  -1,
                  &half,
                  (i == 0 ? DT_LEFT : DT_RIGHT) | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (keptFont)
        SelectObject(dc, keptFont);
    if (font)
        DeleteObject(font);
    EndPaint(bar, &ps);
}

// The bar's window text is its labels, left and right, parted by a tab, so
// that other programs (screen readers, tests) can read what the softkeys say.
void updateBarText(HWND bar)
{
    const SoftkeyBar* data = barData(bar);
    wchar_t text[2 * LABEL_ROOM + 1] = L"";
    for (int i = 0; data && i < data->count; ++i) {
        if (i > 0)
            appendText(text, 2 * LABEL_ROOM + 1, L"\t");
        appendText(text, 2 * LABEL_ROOM + 1, data->keys[i].label);
    }
    SetWindowTextW(bar, text);
}

LRESULT setButtonInfo(HWND bar, WPARAM command, const TBBUTTONINFOW* info)
{
    SoftkeyBar* data = barData(bar);
    if (!data || !info || info->cbSize < offsetof(TBBUTTONINFOW, cchText))
        return -1;
    for (int i = 0; i < data->count; ++i) {
        Softkey& key = data->keys[i];
        if (key.command != command)
            continue;
        if (info->dwMask & TBIF_COMMAND)
            key.command = static_cast<UINT>(info->idCommand);
        if ((info->dwMask & TBIF_TEXT) && info->pszText)
            lstrcpynW(key.label, info->pszText, LABEL_ROOM);
        updateBarText(bar);
        InvalidateRect(bar, nullptr, TRUE);
        return i;
    }
    return -1;
}

LRESULT CALLBACK barProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE: {
        // The record belongs to the parent's slot in the table, which
        // outlives the bar; the bar only points at it.
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(bar, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        break;
    }
    case WM_NCDESTROY: {
        const SoftkeyBar* data = barData(bar);
        Host* host = data ? hostOf(data->parent) : nullptr;
        if (host && host->bar == bar)
            host->bar = nullptr;
        SetWindowLongPtrW(bar, GWLP_USERDATA, 0);
        break;
    }
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;  // a softkey never takes the focus from the game
    case WM_LBUTTONUP: {
        RECT area;
        GetClientRect(bar, &area);
        const int x = static_cast<short>(LOWORD(lParam));
        pressSoftkey(bar, x < area.right / 2 ? 0 : 1);
        return 0;
    }
    case WM_PAINT:
        paintBar(bar);
        return 0;
    case TB_SETBUTTONINFOW:
        return setButtonInfo(bar, wParam, reinterpret_cast<const TBBUTTONINFOW*>(lParam));
    default:
        break;
    }
    return DefWindowProcW(bar, message, wParam, lParam);
}

// 1 when key, with Ctrl held, stepped the zoom (Ctrl+Plus, Ctrl+Minus).
int zoomKey(WPARAM key)
{
    if (GetKeyState(VK_CONTROL) >= 0)
        return 0;
    if (key == VK_OEM_PLUS || key == VK_ADD)
        setZoom(zoom + 1);
    else if (key == VK_OEM_MINUS || key == VK_SUBTRACT)
        setZoom(zoom - 1);
    else
        return 0;
    return 1;
}

// What the frame window alone does: the zooms of its system menu, sizing
// in zoom steps. 1 when message was handled, with its result.
int frameMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    *result = 0;
    switch (message) {
    case WM_SYSCOMMAND: {
        const UINT command = static_cast<UINT>(wParam & 0xFFF0);
        if (command <= SC_ZOOM_BASE || command > SC_ZOOM_BASE + SC_ZOOM_STEP * MAX_ZOOM)
            return 0;
        setZoom(static_cast<int>((command - SC_ZOOM_BASE) / SC_ZOOM_STEP));
        return 1;
    }
    case WM_GETMINMAXINFO: {
        CallWindowProcW(hostOf(window)->own, window, message, wParam, lParam);
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        const RECT smallest = windowAt(window, 1);
        const RECT largest = windowAt(window, largestZoom);
        limits->ptMinTrackSize = POINT{smallest.right, smallest.bottom};
        limits->ptMaxTrackSize = POINT{largest.right, largest.bottom};
        return 1;
    }
    case WM_SIZING:
        snapSizing(window, wParam, reinterpret_cast<RECT*>(lParam));
        *result = TRUE;
        return 1;
    case WM_SIZE: {
        // A size the layer did not set (the border, a window manager) picks
        // the nearest zoom, and the window then takes that zoom's size.
        const int width = LOWORD(lParam);
        const int height = HIWORD(lParam);
        if (layerSizing || wParam == SIZE_MINIMIZED || (width == FRAME_WIDTH * zoom && height == FRAME_HEIGHT * zoom))
            return 0;
        const int across = (width + FRAME_WIDTH / 2) / FRAME_WIDTH;
        const int down = (height + FRAME_HEIGHT / 2) / FRAME_HEIGHT;
        setZoom(across < down ? across : down);
        return 0;
    }
    default:
        return 0;
    }
}

// Stands in front of the procedure of each window the layer hosts: F1/F2
// are the softkeys, Ctrl+Plus/Minus the zoom, the bar and the full-screen
// dialogs follow the frame, and a picture is painted zoomed.
LRESULT CALLBACK hostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Host* host = hostOf(window);
    if (!host)
        return DefWindowProcW(window, message, wParam, lParam);
    const WNDPROC own = host->own;
    LRESULT result;
    if (window == frameWindow && frameMessage(window, message, wParam, lParam, &result))
        return result;
    switch (message) {
    case WM_KEYDOWN:
        if ((wParam == VK_F1 || wParam == VK_F2) && host->bar) {
            pressSoftkey(host->bar, wParam == VK_F1 ? 0 : 1);
            return 0;
        }
        if (zoomKey(wParam))
            return 0;
        break;
    case WM_PAINT:
        if (host->picture && zoom > 1) {
            paintZoomed(host);
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        if (host->picture && zoom > 1)
            return 1;  // the zoomed paint covers every pixel
        break;
    case WM_WINDOWPOSCHANGED:
        if (host->bar)
            placeBar(window, host->bar);
        for (Host& other : hosts)
            if (window == frameWindow && other.window && other.fullScreen)
                placeDialog(&other);
        break;
    case WM_ACTIVATE: {
        // The handset gives an activated window the keys by itself; on the
        // desktop that is left to the window's default handling, which the
        // game's own activation handler does not call.
        result = CallWindowProcW(own, window, message, wParam, lParam);
        HWND focus = GetFocus();
        if (LOWORD(wParam) != WA_INACTIVE && !IsIconic(window) && focus != window && !IsChild(window, focus))
            SetFocus(window);
        return result;
    }
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
        for (int i = 0; i < host->controls; ++i)
            if (host->control[i].madeIcon)
                DestroyIcon(host->control[i].madeIcon);
        if (host->madeFont)
            DeleteObject(host->madeFont);
        *host = Host{};
        if (window == frameWindow) {
            frameWindow = nullptr;
            zoom = 1;
            releasePixels(&frame);
            releasePixels(&zoomedFrame);
        }
        break;
    default:
        break;
    }
    return CallWindowProcW(own, window, message, wParam, lParam);
}

int registerBarClass(HINSTANCE instance)
{
    WNDCLASSW existing;
    if (GetClassInfoW(instance, BAR_CLASS, &existing))
        return 1;
    WNDCLASSW cls = {};
    cls.style = CS_HREDRAW | CS_VREDRAW;  // a bar of another zoom is drawn anew
    cls.lpfnWndProc = barProc;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
    cls.lpszClassName = BAR_CLASS;
    return RegisterClassW(&cls) != 0;
}

}  // namespace

BOOL WINAPI SHCreateMenuBar(SHMENUBARINFO* info)
{
    if (!info || !info->hwndParent || !IsWindow(info->hwndParent))
        return FALSE;
    info->hwndMB = nullptr;
    HWND parent = info->hwndParent;
    HINSTANCE instance = info->hInstRes;
    SoftkeyBar data = {};
    if (!readMenuBar(instance, info->nToolBarId, &data) || !registerBarClass(instance))
        return FALSE;
    Host* host = hostFor(parent);
    if (!host)
        return FALSE;
    if (host->bar)
        DestroyWindow(host->bar);  // one bar to a window
    data.parent = parent;
    data.instance = instance;
    host->barData = data;

    if (!isDialog(parent) && !frameWindow) {
        becomeDesktopWindow(parent);
    } else if (parent != frameWindow && !host->fullScreen) {
        const RECT size = windowAt(parent, zoom);
        SetWindowPos(parent, nullptr, 0, 0, size.right, size.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    HWND bar = CreateWindowExW(WS_EX_NOACTIVATE,
                               BAR_CLASS,
                               L"",
                               WS_POPUP,
                               0,
                               0,
                               FRAME_WIDTH,
                               SOFTKEY_BAR_HEIGHT,
                               parent,
                               nullptr,
                               instance,
                               &host->barData);
    if (!bar)
        return FALSE;
    host->bar = bar;
    updateBarText(bar);
    placeBar(parent, bar);
    info->hwndMB = bar;
    return TRUE;
}

BOOL WINAPI SHInitDialog(SHINITDLGINFO* info)
{
    if (!info || !info->hDlg || !IsWindow(info->hDlg))
        return FALSE;
    if (!(info->dwMask & SHIDIM_FLAGS) || !(info->dwFlags & SHIDIF_SIZEDLGFULLSCREEN))
        return TRUE;
    HWND dialog = info->hDlg;
    Host* host = hostFor(dialog);
    if (!host)
        return FALSE;
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
    return TRUE;
}

int desktopZoom() { return frameWindow ? zoom : 1; }

int softkeyInfo(HWND bar, int index, wchar_t* label, int room, UINT* command)
{
    const SoftkeyBar* data = bar ? barData(bar) : nullptr;
    if (!data || index < 0 || index >= data->count)
        return 0;
    if (label && room > 0)
        lstrcpynW(label, data->keys[index].label, room);
    if (command)
        *command = data->keys[index].command;
    return 1;
}

int pressSoftkey(HWND bar, int index)
{
    const SoftkeyBar* data = bar ? barData(bar) : nullptr;
    if (!data || index < 0 || index >= data->count)
        return 0;
    const Softkey key = data->keys[index];
    if (key.dropDown != NO_DROP_DOWN)
        dropDownMenu(bar, data, key);
    else
        SendMessageW(data->parent, WM_COMMAND, MAKEWPARAM(key.command, 0), 0);
    return 1;
}

void announceSettingChange()
{
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL, 200, nullptr);
}
