#include "render.h"

#include "../resources/resource_ids.h"
#include "game_state.h"
#include "shell_state.h"

namespace {

// Valid only while a frame is being composed.
HDC paintDC;
HDC sourceDC;

constexpr int DIGIT_ADVANCE = 9;
constexpr int DIGIT_HEIGHT = 12;
constexpr int32_t LARGEST_SHOWN = 32767;

Rect toRect(const RECT& r)
{
    return Rect{r.left, r.top, r.right, r.bottom};
}

// Copies bitmap id at its natural size with its top-left corner at (x, y),
// or, with centre set, centred on (x, y, right, bottom).
void copyBitmap(uint16_t id, int x, int y, const Rect* centreOn)
{
    HBITMAP bitmap = LoadBitmapW(shell.instance, MAKEINTRESOURCEW(id));
    if (!bitmap)
        return;
    HGDIOBJ kept = SelectObject(sourceDC, bitmap);
    BITMAP header;
    if (kept && GetObjectW(bitmap, sizeof header, &header)) {
        if (centreOn) {
            x = centreOn->left + (centreOn->right - centreOn->left - header.bmWidth) / 2;
            y = centreOn->top + (centreOn->bottom - centreOn->top - header.bmHeight) / 2;
        }
        BitBlt(paintDC, x, y, header.bmWidth, header.bmHeight, sourceDC, 0, 0, SRCCOPY);
    }
    if (kept)
        SelectObject(sourceDC, kept);
    DeleteObject(bitmap);
}

void composeMainFrame(const RECT& client)
{
    drawBitmapCentred(IDB_BACKGROUND, toRect(client));
    for (int column = 0; column < FIELD_COLUMNS; ++column) {
        for (int row = 0; row < FIELD_ROWS; ++row) {
            const int cell = row * FIELD_COLUMNS + column;
            const int value = game.board[cell];
            if (value != 0)
                drawBitmapCentred(static_cast<uint16_t>(IDB_CELL_BASE + value), screenLayout.cellRects[cell]);
        }
    }
    drawNumber(game.score, screenLayout.scoreRect);
    drawNumber(game.level, screenLayout.levelRect);
    if (game.nextType >= 1 && game.nextType <= PIECE_TYPES)
        drawBitmapCentred(static_cast<uint16_t>(IDB_PREVIEW_BASE + game.nextType), screenLayout.nextRect);
    if (game.level == 0)
        drawBitmapCentred(IDB_INSTRUCTIONS, screenLayout.playfieldRect);
    else if (game.gameOver)
        drawBitmapCentred(IDB_GAME_OVER, screenLayout.playfieldRect);
    else if (game.paused)
        drawBitmapCentred(IDB_PAUSED, screenLayout.playfieldRect);
}

void composeHiScoreBoard(const RECT& client)
{
    drawBitmapCentred(IDB_BACKGROUND, toRect(client));
    drawNumber(game.score, screenLayout.scoreRect);
    drawNumber(game.level, screenLayout.levelRect);
    drawBitmapCentred(IDB_HISCORE_BOARD, screenLayout.playfieldRect);
    for (int place = 0; place < HIGH_SCORE_COUNT; ++place)
        drawNumber(game.highScores[place], hiScoreRect(place));
}

// Sets up the two memory contexts and the off-screen frame, lets compose
// draw into it, copies it to target in one piece and releases everything.
// Whatever cannot be made, nothing is left behind.
void renderFrame(HDC target, const RECT& client, void (*compose)(const RECT&))
{
    paintDC = CreateCompatibleDC(target);
    sourceDC = CreateCompatibleDC(target);
    HBITMAP frame = CreateCompatibleBitmap(target, FRAME_WIDTH, FRAME_HEIGHT);
    HGDIOBJ kept = (paintDC && frame) ? SelectObject(paintDC, frame) : nullptr;
    if (kept && sourceDC) {
        compose(client);
        BitBlt(target, 0, 0, FRAME_WIDTH, FRAME_HEIGHT, paintDC, 0, 0, SRCCOPY);
    }
    if (kept)
        SelectObject(paintDC, kept);
    if (frame)
        DeleteObject(frame);
    if (sourceDC)
        DeleteDC(sourceDC);
    if (paintDC)
        DeleteDC(paintDC);
    paintDC = nullptr;
    sourceDC = nullptr;
}

void paintWindow(HWND window, void (*render)(HDC, const RECT&))
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    if (dc && GetClientRect(window, &client))
        render(dc, client);
    EndPaint(window, &ps);
}

}  // namespace

void renderMainFrame(HDC target, const RECT& client)
{
    renderFrame(target, client, composeMainFrame);
}

void paintMainWindow(HWND window)
{
    paintWindow(window, renderMainFrame);
}

void renderHiScoreBoard(HDC target, const RECT& client)
{
    renderFrame(target, client, composeHiScoreBoard);
}

void paintHiScoreBoard(HWND dialog)
{
    paintWindow(dialog, renderHiScoreBoard);
}

Rect hiScoreRect(int place)
{
    RECT r;
    SetRect(&r, 50, 46 + 25 * place, 100, 58 + 25 * place);
    return toRect(r);
}

void drawBitmapCentred(uint16_t bitmapId, const Rect& area)
{
    copyBitmap(bitmapId, 0, 0, &area);
}

void drawNumber(int32_t value, const Rect& area)
{
    if (value < 0)
        value = 0;
    if (value > LARGEST_SHOWN)
        value = LARGEST_SHOWN;
    int digits = 1;
    for (int32_t rest = value / 10; rest > 0; rest /= 10)
        ++digits;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    int x = area.left + (width - DIGIT_ADVANCE * digits) / 2 + DIGIT_ADVANCE * digits - DIGIT_ADVANCE;
    const int y = area.top + (height - DIGIT_HEIGHT) / 2;
    for (int i = 0; i < digits; ++i) {
        drawDigit(value % 10, x, y);
        value /= 10;
        x -= DIGIT_ADVANCE;
    }
}

void drawDigit(int digit, int x, int y)
{
    if (digit < 0 || digit > 9)
        return;
    copyBitmap(static_cast<uint16_t>(IDB_DIGIT_BASE + digit), x, y, nullptr);
}
