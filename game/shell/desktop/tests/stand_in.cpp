// The stand-in program: a handset program's calls of the shell library and
// nothing more.
#include "stand_in.h"

#include "handset_shell.h"

StandIn standIn;

namespace {

const wchar_t FRAME_CLASS[] = L"Stand-in frame";

uint32_t rgbOf(int r, int g, int b) { return uint32_t((r & 0xFF) << 16 | (g & 0xFF) << 8 | (b & 0xFF)); }

// Draws width x height 0xRRGGBB pixels, top row first, at dc's origin.
void drawPixels(HDC dc, const uint32_t* pixels, int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    SetDIBitsToDevice(dc, 0, 0, DWORD(width), DWORD(height), 0, 0, 0, UINT(height), pixels, &info, DIB_RGB_COLORS);
}

void drawDialogPicture(HDC dc)
{
    static uint32_t pixels[STAND_IN_WIDTH * STAND_IN_HEIGHT];
    for (int y = 0; y < STAND_IN_HEIGHT; ++y)
        for (int x = 0; x < STAND_IN_WIDTH; ++x)
            pixels[y * STAND_IN_WIDTH + x] = dialogPixel(x, y);
    drawPixels(dc, pixels, STAND_IN_WIDTH, STAND_IN_HEIGHT);
}

// The picture dialog has no controls; its procedure paints it whole.
bool isPicture(HWND dialog) { return !GetWindow(dialog, GW_CHILD); }

HWND createBar(HWND parent, UINT id)
{
    SHMENUBARINFO bar = {};
    bar.cbSize = sizeof bar;
    bar.hwndParent = parent;
    bar.nToolBarId = id;
    bar.hInstRes = GetModuleHandleW(nullptr);
    return SHCreateMenuBar(&bar) ? bar.hwndMB : nullptr;
}

LRESULT CALLBACK frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        standIn.bar = createBar(window, STAND_IN_BAR);
        return standIn.bar ? 0 : -1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        if (dc)
            drawPixels(dc, standIn.picture, STAND_IN_WIDTH, STAND_IN_HEIGHT);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        drawPixels(reinterpret_cast<HDC>(wParam), standIn.picture, STAND_IN_WIDTH, STAND_IN_HEIGHT);
        return 0;
    case WM_COMMAND:
        standIn.commands.push_back(LOWORD(wParam));
        return 0;
    case WM_KEYDOWN:
        standIn.keys.push_back(wParam);
        return 0;
    case WM_DESTROY:
        standIn.frame = nullptr;
        standIn.bar = nullptr;
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        // The icon is in place before the shell sees the dialog.
        SendDlgItemMessageW(
            dialog, STAND_IN_ICON, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_APPLICATION)), 0);
        SHINITDLGINFO screen = {SHIDIM_FLAGS, dialog, SHIDIF_SIZEDLGFULLSCREEN};
        return SHInitDialog(&screen) && createBar(dialog, STAND_IN_DIALOG_BAR);
    }
    case WM_PAINT: {
        if (!isPicture(dialog))
            return FALSE;
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(dialog, &ps);
        if (dc)
            drawDialogPicture(dc);
        EndPaint(dialog, &ps);
        return TRUE;
    }
    case WM_PRINTCLIENT:
        if (!isPicture(dialog))
            return FALSE;
        drawDialogPicture(reinterpret_cast<HDC>(wParam));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) != STAND_IN_CONTINUE)
            return FALSE;
        EndDialog(dialog, 0);
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

uint32_t framePixel(int x, int y) { return rgbOf(x * 5, y * 3, (x + y) * 7); }

uint32_t dialogPixel(int x, int y) { return rgbOf(255 - y * 3, x * 5, (x ^ y) * 3); }

HWND openStandIn()
{
    standIn.commands.clear();
    standIn.keys.clear();
    for (int y = 0; y < STAND_IN_HEIGHT; ++y)
        for (int x = 0; x < STAND_IN_WIDTH; ++x)
            standIn.picture[y * STAND_IN_WIDTH + x] = framePixel(x, y);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW cls = {};
    cls.lpfnWndProc = frameProc;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.lpszClassName = FRAME_CLASS;
    static const ATOM registered = RegisterClassW(&cls);
    if (!registered)
        return nullptr;
    standIn.frame = CreateWindowExW(0,
                                    FRAME_CLASS,
                                    L"Stand-in",
                                    WS_VISIBLE,
                                    CW_USEDEFAULT,
                                    CW_USEDEFAULT,
                                    CW_USEDEFAULT,
                                    CW_USEDEFAULT,
                                    nullptr,
                                    nullptr,
                                    instance,
                                    nullptr);
    if (standIn.frame) {
        ShowWindow(standIn.frame, SW_SHOWNORMAL);
        UpdateWindow(standIn.frame);
    }
    return standIn.frame;
}

void closeStandIn()
{
    if (standIn.frame)
        DestroyWindow(standIn.frame);
}

HWND giveBar(UINT id) { return createBar(standIn.frame, id); }

void repaintPixel(int x, int y, uint32_t colour)
{
    standIn.picture[y * STAND_IN_WIDTH + x] = colour;
    const RECT changed = {x, y, x + 1, y + 1};
    InvalidateRect(standIn.frame, &changed, FALSE);
}

void showDialog(int id) { DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), nullptr, dialogProc, 0); }
