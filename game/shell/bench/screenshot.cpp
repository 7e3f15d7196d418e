// screenshot.exe FILE: plays a few moves of a seeded game in the real main
// window, placing each piece well, and saves the frame and the softkeys at
// zoom 2 as a BMP: the screenshot of the docs.
#include <windows.h>

#include <cstdio>

#include "../../resources/resource_ids.h"
#include "desktop.h"
#include "engine.h"
#include "lifecycle.h"
#include "main_window.h"
#include "shell_state.h"

namespace {

constexpr int SCREENSHOT_ZOOM = 2;

void pump()
{
    for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);)
        if (msg.message != WM_QUIT)
            DispatchMessageW(&msg);
}

int saveScreenshot(HWND window, const char* path)
{
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    const int width = FRAME_WIDTH * desktopZoom();
    const int height = (FRAME_HEIGHT + SOFTKEY_BAR_HEIGHT) * desktopZoom();
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ kept = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    const DWORD stride = ((width * 3 + 3) / 4) * 4;
    const DWORD imageBytes = stride * height;
    BITMAPFILEHEADER fileHeader = {};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfOffBits = sizeof fileHeader + sizeof info.bmiHeader;
    fileHeader.bfSize = fileHeader.bfOffBits + imageBytes;
    FILE* out = std::fopen(path, "wb");
    int ok = 0;
    if (out) {
        ok = std::fwrite(&fileHeader, sizeof fileHeader, 1, out) == 1 &&
             std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
             std::fwrite(bits, imageBytes, 1, out) == 1;
        std::fclose(out);
    }
    SelectObject(memory, kept);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

// How good a well is for the player: cleared rows, few holes, low stacks.
int rateWell()
{
    int rating = 0;
    for (int c = 0; c < FIELD_COLUMNS; ++c) {
        bool covered = false;
        for (int r = FIELD_ROWS - 1; r >= 0; --r) {
            const bool filled = game.settledBoard[r * FIELD_COLUMNS + c] != 0;
            if (filled && !covered) {
                rating -= (r + 1) * (r + 1);
                covered = true;
            } else if (!filled && covered) {
                rating -= 40;
            }
        }
    }
    return rating + 60 * (game.score / 10);
}

// Tries every turn and column for the falling piece on a copy of the game
// and plays the best one with real key presses.
void placeWell(HWND window)
{
    const GameState saved = game;
    int bestRating = -1000000;
    int bestTurns = 0;
    int bestShift = 0;
    for (int turns = 0; turns < 4; ++turns)
        for (int shift = -5; shift <= 5; ++shift) {
            game = saved;
            for (int t = 0; t < turns; ++t)
                turnPiece();
            int moved = 0;
            while (moved != shift && movePiece(shift < 0 ? MOVE_LEFT : MOVE_RIGHT))
                moved += shift < 0 ? -1 : 1;
            if (moved != shift)
                continue;
            dropPiece();
            const int16_t before = game.score;
            landPiece();
            const int rating = game.gameOver ? -999999 : rateWell() + (game.score - before > 10 ? 200 : 0);
            if (rating > bestRating) {
                bestRating = rating;
                bestTurns = turns;
                bestShift = shift;
            }
        }
    game = saved;
    for (int t = 0; t < bestTurns; ++t)
        SendMessageW(window, WM_KEYDOWN, VK_UP, 0);
    for (int i = 0; i < (bestShift < 0 ? -bestShift : bestShift); ++i)
        SendMessageW(window, WM_KEYDOWN, bestShift < 0 ? VK_LEFT : VK_RIGHT, 0);
    SendMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
}

int screenshot(HWND window, const char* path)
{
    SendMessageW(window, WM_SYSCOMMAND, SC_ZOOM_BASE + SCREENSHOT_ZOOM * SC_ZOOM_STEP, 0);
    SendMessageW(window, WM_COMMAND, CMD_SOUND_OFF, 0);
    SendMessageW(window, WM_KEYDOWN, VK_F1, 0);
    seedRandom(20261206);
    game.pieceType = randomType();
    newGame();
    for (int piece = 0; piece < 14 && !game.gameOver; ++piece)
        placeWell(window);
    if (game.gameOver)
        return 1;
    for (int i = 0; i < 3; ++i)
        SendMessageW(window, MSG_GRAVITY_STEP, 0, 0);
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    pump();
    Sleep(300);
    pump();
    return saveScreenshot(window, path) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::printf("usage: screenshot FILE\n");
        return 2;
    }
    HINSTANCE instance = GetModuleHandleW(nullptr);
    setPacerTimeScale(1000000);  // no gravity of its own
    if (!registerMainClass(instance) || !startGame(instance, SW_SHOWNORMAL)) {
        std::printf("no main window\n");
        return 1;
    }
    HWND window = shell.mainWindow;
    pump();
    const int result = screenshot(window, argv[1]);
    DestroyWindow(window);
    return result;
}
