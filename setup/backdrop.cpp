// The full-screen "SetupMain" window behind the welcome dialog: a blue
// gradient, the product name with its shadow, and a picture that dissolves
// into view on the first paint.
#include "backdrop.h"

#include "backdrop_parts.h"
#include "config.h"
#include "dlls.h"
#include "resources/resource_ids.h"

int dissolvePending = 1;

const unsigned char dissolveOrder[64] = {
    44, 16, 24, 36, 46, 18, 26, 38, 48, 0,  8,  56, 50, 2,  10, 58, 28, 32, 40, 20, 30, 34,
    42, 22, 12, 60, 52, 4,  14, 62, 54, 6,  47, 19, 27, 39, 45, 17, 25, 37, 51, 3,  11, 59,
    49, 1,  9,  57, 31, 35, 43, 23, 29, 33, 41, 21, 15, 63, 55, 7,  13, 61, 53, 5,
};

void sweepPicture(int width, int height, int dissolve, PixelVisit visit, void* context)
{
    if (!dissolve) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                visit(context, x, y);
            }
        }
        return;
    }
    for (int pass = 0; pass < 64; ++pass) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (dissolveOrder[(y % 8) * 8 + (x % 8)] == pass) {
                    visit(context, x, y);
                }
            }
        }
    }
}

namespace {

constexpr int BAND_COUNT = 255;
constexpr COLORREF TRANSPARENT_COLOUR = RGB(255, 0, 255);
// The most messages createBackdrop serves after creating the window: far more
// than a start leaves waiting.
constexpr int START_MESSAGE_BOUND = 256;

HFONT titleFont;

// Top row of gradient band i (0..255) on a screen of the given height;
// band i covers bandTop(i) up to, not including, bandTop(i + 1).
int bandTop(int band, int height) { return static_cast<int>(static_cast<long long>(band) * height / BAND_COUNT); }

struct PixelCopy {
    HDC source;
    HDC target;
    int x;
    int y;
};

void copyPixel(void* context, int x, int y)
{
    const PixelCopy* copy = static_cast<const PixelCopy*>(context);
    COLORREF colour = GetPixel(copy->source, x, y);
    if (colour != TRANSPARENT_COLOUR && colour != CLR_INVALID) {
        SetPixel(copy->target, copy->x + x, copy->y + y, colour);
    }
}

// The bitmap at (x, y), its magenta pixels left out, dissolving into view
// when dissolve is set.
void drawBitmapDissolve(HDC target, int bitmapId, int x, int y, int dissolve)
{
    HDC memory = CreateCompatibleDC(target);
    if (memory == nullptr) {
        return;
    }
    HBITMAP picture = LoadBitmapA(launcher.instance, MAKEINTRESOURCEA(bitmapId));
    if (picture == nullptr) {
        DeleteDC(memory);
        return;
    }
    HGDIOBJ previous = SelectObject(memory, picture);
    BITMAP info;
    if (GetObjectA(picture, sizeof info, &info) == sizeof info) {
        PixelCopy copy = {memory, target, x, y};
        sweepPicture(info.bmWidth, info.bmHeight, dissolve, copyPixel, &copy);
    }
    SelectObject(memory, previous);
    DeleteObject(picture);
    DeleteDC(memory);
}

void drawGradient(HDC dc, int width, int height)
{
    for (int band = 0; band < BAND_COUNT; ++band) {
        RECT r = {0, bandTop(band, height), width, bandTop(band + 1, height)};
        HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255 - band));
        if (brush != nullptr) {
            FillRect(dc, &r, brush);
            DeleteObject(brush);
        }
    }
}

void drawProductName(HDC dc)
{
    HGDIOBJ previousFont = titleFont != nullptr ? SelectObject(dc, titleFont) : nullptr;
    int previousMode = SetBkMode(dc, TRANSPARENT);
    COLORREF previousColour = SetTextColor(dc, RGB(0, 0, 0));

    // Laid out at 96 DPI, sized for the screen's.
    RECT shadow = {dpiScaled(30), dpiScaled(20), dpiScaled(600), dpiScaled(60)};
    DrawTextA(dc, setupConfig.productName, -1, &shadow, DT_SINGLELINE | DT_VCENTER);
    SetTextColor(dc, RGB(255, 255, 255));
    RECT name = {dpiScaled(25), dpiScaled(15), dpiScaled(600), dpiScaled(60)};
    DrawTextA(dc, setupConfig.productName, -1, &name, DT_SINGLELINE | DT_VCENTER);

    SetTextColor(dc, previousColour);
    SetBkMode(dc, previousMode);
    if (previousFont != nullptr) {
        SelectObject(dc, previousFont);
    }
}

LRESULT onBackdropPaint(HWND window)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (dc != nullptr) {
        int width = launcher.screenWidth;
        int height = launcher.screenHeight;
        drawGradient(dc, width, height);
        drawProductName(dc);
        RECT pictureArea = {20, height - 60, 600, height - 10};
        RECT common;
        if (IntersectRect(&common, &pictureArea, &ps.rcPaint)) {
            drawBitmapDissolve(dc, IDB_BACKDROP_PICTURE, 20, height - 60, dissolvePending);
        }
    }
    dissolvePending = 0;
    EndPaint(window, &ps);
    return 0;
}

LRESULT onBackdropCreate(HWND window)
{
    SetWindowPos(window, HWND_TOPMOST, 0, 0, launcher.screenWidth, launcher.screenHeight, SWP_SHOWWINDOW);
    titleFont = CreateFontA(-dpiScaled(36),
                            0,
                            0,
                            0,
                            FW_BOLD,
                            FALSE,
                            FALSE,
                            FALSE,
                            ANSI_CHARSET,
                            OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY,
                            VARIABLE_PITCH | FF_ROMAN,
                            "Times New Roman");
    return 0;
}

LRESULT CALLBACK backdropProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return onBackdropCreate(window);
    case WM_DESTROY:
        if (titleFont != nullptr) {
            DeleteObject(titleFont);
            titleFont = nullptr;
        }
        return 0;
    case WM_PAINT:
        return onBackdropPaint(window);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int createBackdrop()
{
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = backdropProc;
    wc.hInstance = launcher.instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = "SetupMain";
    RegisterClassA(&wc);

    launcher.backdropWindow = CreateWindowExA(0,
                                              "SetupMain",
                                              "Setup",
                                              WS_POPUP | WS_VISIBLE | WS_BORDER,
                                              CW_USEDEFAULT,
                                              CW_USEDEFAULT,
                                              CW_USEDEFAULT,
                                              CW_USEDEFAULT,
                                              nullptr,
                                              nullptr,
                                              launcher.instance,
                                              nullptr);
    if (launcher.backdropWindow == nullptr) {
        return 0;
    }
    // Let the first paint, dissolve included, finish before going on, and
    // serve what the start left waiting. Waiting messages always come before
    // a paint, so the paint is asked for directly rather than waited for,
    // and the serving is bounded: a stream of messages that never runs dry
    // must not keep the launcher here.
    UpdateWindow(launcher.backdropWindow);
    MSG msg;
    for (int served = 0; served < START_MESSAGE_BOUND && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++served) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        UpdateWindow(launcher.backdropWindow);
    }
    return 1;
}
