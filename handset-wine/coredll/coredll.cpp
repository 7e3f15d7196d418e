// What the handset's core library does that no export of Wine's DLLs does
// under the same name; the rest of coredll.dll hands each call on to the
// DLL of Wine that answers it (forwards.txt).
// - EventModify: the handset's one call behind SetEvent, ResetEvent and
//   PulseEvent.
// - rand and srand: the handset's C library's classic generator, the very
//   one the replay of the engine links (game/engine/replay/handset_rand.cpp,
//   built into this DLL too), so the image draws the pieces the handset
//   would draw for a seed.
// - MessageBoxW: a box of the DLL's own. Wine's for ARM builds its box from
//   a dialog template and button texts in the resources of its user32.dll,
//   and Debian's build of those DLLs carries resource directories without
//   their data (every entry points at the end of .rsrc): its box comes up
//   with no text, icon or buttons. This one lays out the text and the
//   buttons itself; it shows no icon.
#include <windows.h>

namespace {

// The codes of EventModify: the handset's headers spell SetEvent,
// ResetEvent and PulseEvent as calls of it.
constexpr DWORD EVENT_PULSE = 1;
constexpr DWORD EVENT_RESET = 2;
constexpr DWORD EVENT_SET = 3;

}  // namespace

extern "C" BOOL WINAPI EventModify(HANDLE event, DWORD code)
{
    switch (code) {
    case EVENT_PULSE:
        return PulseEvent(event);
    case EVENT_RESET:
        return ResetEvent(event);
    case EVENT_SET:
        return SetEvent(event);
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
}

namespace {

// What a message box shows.
struct Box {
    LPCWSTR text;
    UINT type;
};

// The buttons of each MB_ type, left to right, with their texts.
struct Button {
    int id;
    LPCWSTR label;
};

int buttonsOf(UINT type, Button* out)
{
    static const Button ok[] = {{IDOK, L"OK"}};
    static const Button okCancel[] = {{IDOK, L"OK"}, {IDCANCEL, L"Cancel"}};
    static const Button abortRetryIgnore[] = {{IDABORT, L"&Abort"}, {IDRETRY, L"&Retry"}, {IDIGNORE, L"&Ignore"}};
    static const Button yesNoCancel[] = {{IDYES, L"&Yes"}, {IDNO, L"&No"}, {IDCANCEL, L"Cancel"}};
    static const Button yesNo[] = {{IDYES, L"&Yes"}, {IDNO, L"&No"}};
    static const Button retryCancel[] = {{IDRETRY, L"&Retry"}, {IDCANCEL, L"Cancel"}};
    static const Button* const sets[] = {ok, okCancel, abortRetryIgnore, yesNoCancel, yesNo, retryCancel};
    static const int counts[] = {1, 2, 3, 3, 2, 2};
    const UINT which = (type & MB_TYPEMASK) < 6 ? (type & MB_TYPEMASK) : 0;
    for (int i = 0; i < counts[which]; ++i)
        out[i] = sets[which][i];
    return counts[which];
}

constexpr int MARGIN = 12;
constexpr int BUTTON_WIDTH = 72;
constexpr int BUTTON_HEIGHT = 24;
constexpr int MAX_TEXT_WIDTH = 400;

// Lays the text and the buttons out in the dialog's own font and centres
// the box on its owner.
void layOutBox(HWND box, const Box& what)
{
    auto font = reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0));
    RECT text = {0, 0, MAX_TEXT_WIDTH, 0};
    HDC dc = GetDC(box);
    HGDIOBJ kept = SelectObject(dc, font);
    DrawTextW(dc, what.text, -1, &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, kept);
    ReleaseDC(box, dc);
    Button buttons[3];
    const int count = buttonsOf(what.type, buttons);
    const int rowWidth = count * BUTTON_WIDTH + (count - 1) * MARGIN / 2;
    const int width = (text.right > rowWidth ? text.right : rowWidth) + 2 * MARGIN;
    const int height = text.bottom + BUTTON_HEIGHT + 3 * MARGIN;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongW(box, GWL_HINSTANCE));
    HWND label = CreateWindowExW(0, L"Static", what.text, WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, MARGIN, MARGIN,
                                 text.right, text.bottom, box, reinterpret_cast<HMENU>(0xFFFF), instance, nullptr);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    int x = (width - rowWidth) / 2;
    for (int i = 0; i < count; ++i, x += BUTTON_WIDTH + MARGIN / 2) {
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        HWND button = CreateWindowExW(0, L"Button", buttons[i].label, style, x, height - MARGIN - BUTTON_HEIGHT,
                                      BUTTON_WIDTH, BUTTON_HEIGHT, box, reinterpret_cast<HMENU>(buttons[i].id),
                                      instance, nullptr);
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, GetWindowLongW(box, GWL_STYLE), FALSE, GetWindowLongW(box, GWL_EXSTYLE));
    RECT over = {};
    HWND owner = GetWindow(box, GW_OWNER);
    if (!owner || !GetWindowRect(owner, &over))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &over, 0);
    const int outerWidth = frame.right - frame.left, outerHeight = frame.bottom - frame.top;
    SetWindowPos(box, HWND_TOP, (over.left + over.right - outerWidth) / 2, (over.top + over.bottom - outerHeight) / 2,
                 outerWidth, outerHeight, SWP_NOACTIVATE);
    SetFocus(GetDlgItem(box, buttons[0].id));
}

INT_PTR CALLBACK boxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        layOutBox(box, *reinterpret_cast<const Box*>(lParam));
        return FALSE;  // the focus is set
    case WM_COMMAND:
        // Escape (IDCANCEL) answers Cancel where there is one and OK in a
        // box of OK alone; a question it cannot answer.
        if (LOWORD(wParam) != IDCANCEL || GetDlgItem(box, IDCANCEL))
            EndDialog(box, LOWORD(wParam));
        else if (GetDlgItem(box, IDOK))
            EndDialog(box, IDOK);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

// Exported as MessageBoxW (the platform's headers declare that name as an
// import, so the definition has a name of its own).
extern "C" int WINAPI coredllMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type)
{
    // A dialog template of no controls in the system's dialog font; the
    // box lays its controls out when it starts.
    struct alignas(4) {
        DLGTEMPLATE head;
        WORD menu, windowClass;
        wchar_t caption[128 + 16];  // and the font behind it
    } dialog = {};
    dialog.head.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT;
    if (type & MB_SYSTEMMODAL)
        dialog.head.style |= DS_SYSMODAL;
    int n = 0;
    for (; caption && caption[n] && n < 127; ++n)
        dialog.caption[n] = caption[n];
    // The caption, then the font: 8 points, "MS Shell Dlg".
    static const wchar_t face[] = L"MS Shell Dlg";
    wchar_t* after = dialog.caption + n + 1;
    *after++ = 8;
    for (const wchar_t* f = face; (*after++ = *f) != 0; ++f) {
    }
    Box what = {text ? text : L"", type};
    const INT_PTR answer = DialogBoxIndirectParamW(reinterpret_cast<HINSTANCE>(GetModuleHandleW(nullptr)), &dialog.head,
                                                   owner, boxProcedure, reinterpret_cast<LPARAM>(&what));
    return answer > 0 ? static_cast<int>(answer) : 0;
}

extern "C" BOOL WINAPI coredllEntry(HINSTANCE, DWORD, LPVOID) { return TRUE; }
