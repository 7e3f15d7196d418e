#include "handset_shell.h"

#include <cstdlib>
#include <cwchar>

#include "wide_text.h"

namespace {

const wchar_t BAR_CLASS[] = L"KubrelSE softkey bar";
const wchar_t PROP_BAR[] = L"KubrelSE.softkeyBar";
const wchar_t PROP_PROC[] = L"KubrelSE.parentProc";

constexpr int MAX_SOFTKEYS = 2;
constexpr int LABEL_ROOM = 32;
constexpr WORD NO_DROP_DOWN = 0xFFFF;
constexpr WORD BUTTON_WORDS = 7;

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

// The window whose client area is the handset's screen: the first parent
// given a softkey bar that is not a dialog. Full-screen dialogs cover it.
HWND frameWindow;

SoftkeyBar* barData(HWND bar) { return reinterpret_cast<SoftkeyBar*>(GetWindowLongPtrW(bar, GWLP_USERDATA)); }

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

void setFrameClientSize(HWND window)
{
    RECT wanted = {0, 0, FRAME_WIDTH, FRAME_HEIGHT};
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    if (!AdjustWindowRectEx(&wanted, style, FALSE, exStyle))
        return;
    SetWindowPos(window,
                 nullptr,
                 0,
                 0,
                 wanted.right - wanted.left,
                 wanted.bottom - wanted.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void placeBar(HWND parent, HWND bar)
{
    RECT client;
    if (!GetClientRect(parent, &client))
        return;
    POINT below = {0, client.bottom};
    ClientToScreen(parent, &below);
    SetWindowPos(bar, nullptr, below.x, below.y, client.right, SOFTKEY_BAR_HEIGHT, SWP_NOZORDER | SWP_NOACTIVATE);
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
    RECT area;
    GetClientRect(bar, &area);
    HBRUSH fill = CreateSolidBrush(RGB(24, 40, 72));
    if (fill) {
        FillRect(dc, &area, fill);
        DeleteObject(fill);
    }
    RECT edge = {area.left, area.top, area.right, area.top + 1};
    HBRUSH line = CreateSolidBrush(RGB(120, 150, 200));
    if (line) {
        FillRect(dc, &edge, line);
        RECT divider = {area.right / 2, area.top + 5, area.right / 2 + 1, area.bottom - 4};
        FillRect(dc, &divider, line);
        DeleteObject(line);
    }
    const SoftkeyBar* data = barData(bar);
    HFONT font = CreateFontW(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    HGDIOBJ keptFont = font ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    for (int i = 0; data && i < data->count; ++i) {
        RECT half = area;
        half.top += 1;
        if (i == 0) {
            half.left += 6;
            half.right = area.right / 2 - 2;
        } else {
            half.left = area.right / 2 + 2;
            half.right -= 6;
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
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(bar, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        break;
    }
    case WM_NCDESTROY:
        std::free(barData(bar));
        SetWindowLongPtrW(bar, GWLP_USERDATA, 0);
        break;
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

// Stands in front of the parent's own procedure: F1/F2 are the softkeys, and
// the bar follows the parent when it moves.
LRESULT CALLBACK parentProc(HWND parent, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto own = reinterpret_cast<WNDPROC>(GetPropW(parent, PROP_PROC));
    HWND bar = static_cast<HWND>(GetPropW(parent, PROP_BAR));
    switch (message) {
    case WM_KEYDOWN:
        if ((wParam == VK_F1 || wParam == VK_F2) && bar) {
            pressSoftkey(bar, wParam == VK_F1 ? 0 : 1);
            return 0;
        }
        break;
    case WM_WINDOWPOSCHANGED:
        if (bar && IsWindow(bar))
            placeBar(parent, bar);
        break;
    case WM_ACTIVATE: {
        // The handset gives an activated window the keys by itself; on the
        // desktop that is left to the window's default handling, which the
        // game's own activation handler does not call.
        const LRESULT result = own ? CallWindowProcW(own, parent, message, wParam, lParam) : 0;
        HWND focus = GetFocus();
        if (LOWORD(wParam) != WA_INACTIVE && !IsIconic(parent) && focus != parent && !IsChild(parent, focus))
            SetFocus(parent);
        return result;
    }
    case WM_NCDESTROY:
        SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
        RemovePropW(parent, PROP_PROC);
        RemovePropW(parent, PROP_BAR);
        if (parent == frameWindow)
            frameWindow = nullptr;
        break;
    default:
        break;
    }
    return own ? CallWindowProcW(own, parent, message, wParam, lParam)
               : DefWindowProcW(parent, message, wParam, lParam);
}

int registerBarClass(HINSTANCE instance)
{
    WNDCLASSW existing;
    if (GetClassInfoW(instance, BAR_CLASS, &existing))
        return 1;
    WNDCLASSW cls = {};
    cls.lpfnWndProc = barProc;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
    cls.lpszClassName = BAR_CLASS;
    return RegisterClassW(&cls) != 0;
}

int isDialog(HWND window)
{
    wchar_t name[16];
    return GetClassNameW(window, name, 16) > 0 && std::wcscmp(name, L"#32770") == 0;
}

}  // namespace

BOOL SHCreateMenuBar(SHMENUBARINFO* info)
{
    if (!info || !info->hwndParent || !IsWindow(info->hwndParent))
        return FALSE;
    info->hwndMB = nullptr;
    HINSTANCE instance = info->hInstRes;
    auto* data = static_cast<SoftkeyBar*>(std::calloc(1, sizeof(SoftkeyBar)));
    if (!data)
        return FALSE;
    if (!readMenuBar(instance, info->nToolBarId, data) || !registerBarClass(instance)) {
        std::free(data);
        return FALSE;
    }
    data->parent = info->hwndParent;
    data->instance = instance;

    HWND parent = info->hwndParent;
    setFrameClientSize(parent);
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
                               data);
    if (!bar) {
        std::free(data);
        return FALSE;
    }
    if (!GetPropW(parent, PROP_PROC)) {
        const LONG_PTR own = GetWindowLongPtrW(parent, GWLP_WNDPROC);
        if (!SetPropW(parent, PROP_PROC, reinterpret_cast<HANDLE>(own))) {
            DestroyWindow(bar);
            return FALSE;
        }
        SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(parentProc));
    }
    SetPropW(parent, PROP_BAR, bar);
    updateBarText(bar);
    if (!isDialog(parent) && (!frameWindow || !IsWindow(frameWindow)))
        frameWindow = parent;
    placeBar(parent, bar);
    ShowWindow(bar, SW_SHOWNOACTIVATE);
    info->hwndMB = bar;
    return TRUE;
}

BOOL SHInitDialog(SHINITDLGINFO* info)
{
    if (!info || !info->hDlg || !IsWindow(info->hDlg))
        return FALSE;
    if (!(info->dwMask & SHIDIM_FLAGS) || !(info->dwFlags & SHIDIF_SIZEDLGFULLSCREEN))
        return TRUE;
    HWND dialog = info->hDlg;
    // A full-screen dialog has no frame of its own: it is the screen.
    LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
    style &= ~static_cast<LONG_PTR>(WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | DS_MODALFRAME | WS_CHILD);
    style |= WS_POPUP;
    SetWindowLongPtrW(dialog, GWL_STYLE, style);
    LONG_PTR exStyle = GetWindowLongPtrW(dialog, GWL_EXSTYLE);
    exStyle &= ~static_cast<LONG_PTR>(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE);
    SetWindowLongPtrW(dialog, GWL_EXSTYLE, exStyle);
    POINT origin = {0, 0};
    if (frameWindow && IsWindow(frameWindow))
        ClientToScreen(frameWindow, &origin);
    return SetWindowPos(dialog, HWND_TOP, origin.x, origin.y, FRAME_WIDTH, FRAME_HEIGHT, SWP_FRAMECHANGED);
}

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
