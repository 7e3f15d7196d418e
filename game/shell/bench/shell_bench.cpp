// Timings of the real main window under the real window system: a full paint
// with a full well, the down key from key press to frame on screen, one
// gravity step from the posted message to the frame, and one plain
// 176 x 180 copy of a ready frame; beside them, measured in turns with them
// so that their ratios hold on a busy machine, the paint cycle of a bare
// window of the same size whose paint only copies a ready frame (the
// window system's own floor), and the same two at zoom 3 and, on a screen
// that takes it (a 4K one), at zoom 8. The screenshot of the docs is made
// by screenshot.cpp.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "../../resources/resource_ids.h"
#include "engine.h"
#include "desktop.h"
#include "lifecycle.h"
#include "main_window.h"
#include "shell_state.h"

namespace {

double ticksPerMicrosecond;
constexpr int RUNS = 400;
constexpr int TURNS = 8;  // the kinds of run take turns, RUNS / TURNS at a time

double now()
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / ticksPerMicrosecond;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message != WM_QUIT)
            DispatchMessageW(&msg);
}

void setZoom(HWND window, int zoom) { SendMessageW(window, WM_SYSCOMMAND, SC_ZOOM_BASE + zoom * SC_ZOOM_STEP, 0); }

void fillWell()
{
    for (int i = 0; i < FIELD_CELLS; ++i)
        game.board[i] = static_cast<uint8_t>(1 + i % 7);
}

// The lowest rows full but for one gap each, on both boards, as if pieces
// had settled there, below the piece that has just been spawned.
void fillLowerRows(int rows)
{
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < FIELD_COLUMNS; ++c) {
            const int cell = r * FIELD_COLUMNS + c;
            const uint8_t value = c == r % FIELD_COLUMNS ? 0 : static_cast<uint8_t>(1 + cell % 7);
            game.board[cell] = value;
            game.settledBoard[cell] = value;
        }
    InvalidateRect(shell.mainWindow, nullptr, FALSE);
}

// A new game whose first piece is the run's type, started as the Start
// softkey does (so everything it asked to repaint is shown), with the
// lowest rows filled, brought on screen before the timing starts.
void restart(HWND window, int run, int filledRows)
{
    game.pieceType = static_cast<int16_t>(1 + run % 7);
    SendMessageW(window, WM_COMMAND, CMD_START, 0);
    fillLowerRows(filledRows);
    UpdateWindow(window);
}

// Adds the times of runs calls of measure, each up to GdiFlush and each
// after an untimed prepare(run), to times.
template <typename Prepare, typename Measure>
void timeInto(std::vector<double>& times, int runs, Prepare prepare, Measure measure)
{
    for (int run = 0; run < runs; ++run) {
        prepare(run);
        const double start = now();
        measure();
        GdiFlush();
        times.push_back(now() - start);
    }
}

// A bare window: its paint copies one ready frame of its own size.
struct Bare {
    HWND window;
    HDC ready;
    HBITMAP frame;
    HGDIOBJ kept;
};

LRESULT CALLBACK bareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto* bare = reinterpret_cast<const Bare*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message != WM_PAINT || !bare)
        return DefWindowProcW(window, message, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    BitBlt(dc, 0, 0, client.right, client.bottom, bare->ready, 0, 0, SRCCOPY);
    EndPaint(window, &ps);
    return 0;
}

// A bare window framed as the game's and with a client area of the game's.
void makeBare(Bare* bare, HWND game)
{
    static const ATOM bareClass = [] {
        WNDCLASSW cls = {};
        cls.lpfnWndProc = bareProc;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.lpszClassName = L"bare window";
        return RegisterClassW(&cls);
    }();
    RECT client;
    GetClientRect(game, &client);
    RECT outside = client;
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(game, GWL_STYLE)) & ~WS_VISIBLE;
    AdjustWindowRectEx(&outside, style, FALSE, 0);
    bare->window = CreateWindowExW(0,
                                   MAKEINTRESOURCEW(bareClass),
                                   L"bare",
                                   style,
                                   0,
                                   0,
                                   outside.right - outside.left,
                                   outside.bottom - outside.top,
                                   nullptr,
                                   nullptr,
                                   GetModuleHandleW(nullptr),
                                   nullptr);
    HDC dc = GetDC(bare->window);
    bare->ready = CreateCompatibleDC(dc);
    bare->frame = CreateCompatibleBitmap(dc, client.right, client.bottom);
    bare->kept = SelectObject(bare->ready, bare->frame);
    PatBlt(bare->ready, 0, 0, client.right, client.bottom, WHITENESS);
    ReleaseDC(bare->window, dc);
    SetWindowLongPtrW(bare->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(bare));
    ShowWindow(bare->window, SW_SHOWNOACTIVATE);
    pump();
}

void endBare(Bare* bare)
{
    DestroyWindow(bare->window);
    SelectObject(bare->ready, bare->kept);
    DeleteObject(bare->frame);
    DeleteDC(bare->ready);
    pump();
}

// Times the full paint cycle of window (a whole invalidation brought up to
// date) into times, with window in front.
void timePaints(std::vector<double>& times, HWND window, int runs)
{
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    pump();
    timeInto(
        times,
        runs,
        [](int) {},
        [window] {
            InvalidateRect(window, nullptr, FALSE);
            UpdateWindow(window);
        });
}

// The handset's size: the full paint, the down key, the gravity step and the
// bare window, taking turns.
struct HandsetTimings {
    std::vector<double> paints, drops, steps, bares;
};

void timeAtHandsetSize(HWND window, HandsetTimings* t)
{
    Bare bare = {};
    makeBare(&bare, window);
    for (int turn = 0; turn < TURNS; ++turn) {
        // A full paint of a full well: 140 cells, numbers, preview, no banner.
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        fillWell();
        timePaints(t->paints, window, RUNS / TURNS);

        // The down key, from the key message to the landed frame on screen.
        timeInto(
            t->drops,
            RUNS / TURNS,
            [window](int run) { restart(window, run, 0); },
            [window] { SendMessageW(window, WM_KEYDOWN, VK_DOWN, 0); });

        // One gravity step of a piece in a well two-thirds full, from the
        // posted step to the frame on screen: the step is taken from the
        // queue and handled, as the message loop would. (Looking at an empty
        // queue afterwards is no part of it: under Wine that gives up the
        // processor, which on a busy machine costs more than the step.)
        timeInto(
            t->steps,
            RUNS / TURNS,
            [window](int run) { restart(window, run, FIELD_ROWS * 2 / 3); },
            [window] {
                PostMessageW(window, MSG_GRAVITY_STEP, 0, 0);
                MSG msg;
                if (PeekMessageW(&msg, window, MSG_GRAVITY_STEP, MSG_GRAVITY_STEP, PM_REMOVE | PM_NOYIELD))
                    DispatchMessageW(&msg);
            });

        timePaints(t->bares, bare.window, RUNS / TURNS);
    }
    endBare(&bare);
}

// The full paint at zoom beside a bare window of that size, and the line
// that reports them; a screen too small for the zoom says so instead.
void timeAtZoom(HWND window, int zoom)
{
    if (GetMenuState(GetSystemMenu(window, FALSE), SC_ZOOM_BASE + zoom * SC_ZOOM_STEP, MF_BYCOMMAND) == UINT(-1)) {
        std::printf("full paint at zoom %d: this screen (%d x %d) is too small for it\n",
                    zoom,
                    GetSystemMetrics(SM_CXSCREEN),
                    GetSystemMetrics(SM_CYSCREEN));
        return;
    }
    setZoom(window, zoom);
    fillWell();
    Bare bare = {};
    makeBare(&bare, window);
    std::vector<double> paints, bares;
    for (int turn = 0; turn < TURNS; ++turn) {
        timePaints(paints, window, RUNS / TURNS);
        timePaints(bares, bare.window, RUNS / TURNS);
    }
    endBare(&bare);
    setZoom(window, 1);
    std::printf("full paint at zoom %d: median %8.1f us (%.2f x the bare window paint cycle at zoom %d)\n",
                zoom,
                median(paints),
                median(paints) / median(bares),
                zoom);
    std::printf("bare window paint cycle at zoom %d: median %8.1f us\n", zoom, median(bares));
}

// One copy of a ready 176 x 180 frame to the window, RUNS times.
std::vector<double> timeCopies(HWND window)
{
    HDC windowDC = GetDC(window);
    HDC ready = CreateCompatibleDC(windowDC);
    HBITMAP frame = CreateCompatibleBitmap(windowDC, FRAME_WIDTH, FRAME_HEIGHT);
    HGDIOBJ kept = SelectObject(ready, frame);
    std::vector<double> copies;
    timeInto(
        copies,
        RUNS,
        [](int) {},
        [windowDC, ready] { BitBlt(windowDC, 0, 0, FRAME_WIDTH, FRAME_HEIGHT, ready, 0, 0, SRCCOPY); });
    SelectObject(ready, kept);
    DeleteObject(frame);
    DeleteDC(ready);
    ReleaseDC(window, windowDC);
    return copies;
}

void reportHandsetSize(const HandsetTimings& t, double copy)
{
    const double floor = median(t.bares);
    const struct {
        const char* what;
        double median;
    } lines[] = {{"full paint, full well:", median(t.paints)},
                 {"down key to frame:    ", median(t.drops)},
                 {"gravity step paint:   ", median(t.steps)}};
    std::printf("runs: %d each\n", RUNS);
    for (const auto& line : lines)
        std::printf("%s median %8.1f us (%.1f x the copy, %.2f x the bare paint cycle)\n",
                    line.what,
                    line.median,
                    line.median / copy,
                    line.median / floor);
    std::printf("one 176 x 180 copy:    median %8.1f us\n", copy);
    std::printf("bare window paint cycle: median %8.1f us\n", floor);
}

}  // namespace

int main()
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    ticksPerMicrosecond = static_cast<double>(frequency.QuadPart) / 1e6;

    HINSTANCE instance = GetModuleHandleW(nullptr);
    setPacerTimeScale(1000000);  // no gravity of its own during the runs
    if (!registerMainClass(instance) || !startGame(instance, SW_SHOWNORMAL)) {
        std::printf("no main window\n");
        return 1;
    }
    HWND window = shell.mainWindow;
    pump();
    setZoom(window, 1);  // the handset's size
    SendMessageW(window, WM_COMMAND, CMD_SOUND_OFF, 0);
    SendMessageW(window, WM_COMMAND, CMD_START, 0);
    HandsetTimings handset;
    timeAtHandsetSize(window, &handset);
    reportHandsetSize(handset, median(timeCopies(window)));
    timeAtZoom(window, 3);
    timeAtZoom(window, 8);  // a 4K screen's, with a margin
    DestroyWindow(window);
    return 0;
}
