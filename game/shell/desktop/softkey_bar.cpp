// The softkey bar: built from a menu-bar resource, drawn below the frame at
// the zoom, pressed by a click, F1 and F2; never a holder of the keys.
#include <cstddef>

#include "layer.h"
#include "locked_resource.h"
#include "wide_text.h"

namespace {

const wchar_t BAR_CLASS[] = L"KubrelSE softkey bar";
constexpr WORD BUTTON_WORDS = 7;
constexpr COLORREF BAR_FILL = RGB(24, 40, 72);
constexpr COLORREF BAR_LINE = RGB(120, 150, 200);
constexpr COLORREF LABEL_COLOUR = RGB(255, 255, 255);
constexpr int LABEL_HEIGHT = 12;  // at zoom 1, in pixels

SoftkeyBar* barRecord(HWND bar) { return reinterpret_cast<SoftkeyBar*>(GetWindowLongPtrW(bar, GWLP_USERDATA)); }

// Reads menu-bar resource id: the menu id, the button count, then seven
// words per button (image, command, state, style, label string, 0, drop-down).
int readMenuBar(HINSTANCE instance, UINT id, SoftkeyBar* bar)
{
    DWORD bytes = 0;
    const auto* words = static_cast<const WORD*>(lockedResource(instance, id, RT_RCDATA, &bytes));
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

void fill(HDC dc, const RECT& r, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    if (!brush)
        return;
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

// The bar's ground: a line along its top and one between the two halves.
void drawGround(HDC dc, const RECT& area, int z)
{
    fill(dc, area, BAR_FILL);
    fill(dc, RECT{area.left, area.top, area.right, area.top + z}, BAR_LINE);
    fill(dc, RECT{area.right / 2, area.top + 5 * z, area.right / 2 + z, area.bottom - 4 * z}, BAR_LINE);
}

// The left label at the left, the right one at the right.
void drawLabels(HDC dc, const RECT& area, const SoftkeyBar* data, int z)
{
    HFONT font = CreateFontW(-LABEL_HEIGHT * z, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    HGDIOBJ replaced = font ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, LABEL_COLOUR);
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
        const UINT align = i == 0 ? DT_LEFT : DT_RIGHT;
        DrawTextW(dc, data->keys[i].label, -1, &half, align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (replaced)
        SelectObject(dc, replaced);
    if (font)
        DeleteObject(font);
}

void paintBar(HWND bar)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(bar, &ps);
    if (!dc)
        return;
    RECT area;
    GetClientRect(bar, &area);
    drawGround(dc, area, desktopZoom());
    drawLabels(dc, area, barRecord(bar), desktopZoom());
    EndPaint(bar, &ps);
}

// The bar's window text is its labels, left and right, parted by a tab, so
// that other programs (screen readers, tests) can read what the softkeys say.
void updateBarText(HWND bar)
{
    const SoftkeyBar* data = barRecord(bar);
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
    SoftkeyBar* data = barRecord(bar);
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

// The window that has the keys instead of the bar: the bar's parent, or
// the frame window when the parent is going (a dialog being closed).
HWND keyHolderFor(HWND bar)
{
    const SoftkeyBar* data = barRecord(bar);
    HWND parent = data ? data->parent : nullptr;
    if (parent && IsWindowVisible(parent) && IsWindowEnabled(parent))
        return parent;
    return frameWindow();
}

LRESULT onNcDestroy(HWND bar)
{
    SoftkeyBar* data = barRecord(bar);
    if (data && data->bar == bar)
        data->bar = nullptr;
    SetWindowLongPtrW(bar, GWLP_USERDATA, 0);
    return 0;
}

LRESULT onLeftButtonUp(HWND bar, LPARAM lParam)
{
    RECT area;
    GetClientRect(bar, &area);
    pressSoftkey(bar, static_cast<short>(LOWORD(lParam)) < area.right / 2 ? 0 : 1);
    return 0;
}

LRESULT CALLBACK barProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE: {
        // The record belongs to the parent's slot in the host table, which
        // outlives the bar; the bar only points at it.
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(bar, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        break;
    }
    case WM_NCDESTROY:
        onNcDestroy(bar);
        break;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;  // a softkey never takes the focus from the game
    case WM_ACTIVATE:
        // The system may still pick the bar when the window before it goes
        // (a dialog closing): the keys go straight back.
        if (LOWORD(wParam) != WA_INACTIVE && keyHolderFor(bar))
            SetActiveWindow(keyHolderFor(bar));
        return 0;
    case WM_SETFOCUS:
        if (keyHolderFor(bar))
            SetFocus(keyHolderFor(bar));
        return 0;
    case WM_LBUTTONUP:
        return onLeftButtonUp(bar, lParam);
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

int loadSoftkeys(HINSTANCE instance, UINT id, SoftkeyBar* bar)
{
    return readMenuBar(instance, id, bar) && registerBarClass(instance);
}

int createBar(SoftkeyBar* data)
{
    data->bar = CreateWindowExW(WS_EX_NOACTIVATE,
                                BAR_CLASS,
                                L"",
                                WS_POPUP,
                                0,
                                0,
                                SCREEN_WIDTH,
                                SOFTKEY_BAR_HEIGHT,
                                data->parent,
                                nullptr,
                                data->instance,
                                data);
    if (data->bar)
        updateBarText(data->bar);
    return data->bar != nullptr;
}

// Directly below the parent's client area, as wide as it, the zoom times
// the handset's bar height tall; hidden while the parent is minimised.
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
                 SOFTKEY_BAR_HEIGHT * desktopZoom(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

int softkeyInfo(HWND bar, int index, wchar_t* label, int room, UINT* command)
{
    const SoftkeyBar* data = bar ? barRecord(bar) : nullptr;
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
    const SoftkeyBar* data = bar ? barRecord(bar) : nullptr;
    if (!data || index < 0 || index >= data->count)
        return 0;
    const Softkey key = data->keys[index];
    if (key.dropDown != NO_DROP_DOWN)
        dropDownMenu(bar, data, key);
    else
        SendMessageW(data->parent, WM_COMMAND, MAKEWPARAM(key.command, 0), 0);
    return 1;
}
