#include "render.h"

#include <cstring>

#include "../resources/resource_ids.h"
#include "game_state.h"
#include "shell_state.h"

namespace {

constexpr int DIGIT_ADVANCE = 9;
constexpr int DIGIT_HEIGHT = 12;
constexpr int32_t LARGEST_SHOWN = 32767;

constexpr int FIRST_PICTURE = IDB_BACKGROUND;
constexpr int LAST_PICTURE = IDB_HISCORE_BOARD;
constexpr int PICTURE_SLOTS = LAST_PICTURE - FIRST_PICTURE + 1;
static_assert(IDB_PREVIEW_BASE + 1 >= FIRST_PICTURE && IDB_DIGIT_BASE + 9 <= LAST_PICTURE &&
                  IDB_INSTRUCTIONS <= LAST_PICTURE && IDB_PAUSED <= LAST_PICTURE,
              "every picture the game draws has a slot");

// A picture loaded once and kept for the life of the window as 32-bit
// pixels, top row first, which a paint copies row by row into the frame:
// under the window system every call costs far more than copying the few
// pixels of a cell, so composing a frame makes no calls at all.
struct KeptPicture {
    HBITMAP bitmap;  // the DIB section holding pixels
    const uint32_t* pixels;
    int width;
    int height;
};

KeptPicture pictures[PICTURE_SLOTS];

// The off-screen frame every paint composes into, kept the same way and
// held by its own context, from which it is copied to the window.
PixelContext composed;

// The part of the frame the paint in progress brings up to date; what lies
// outside it is not shown by this paint, so it is not drawn either.
RECT composeBounds;

// Copies bitmap into pixels through two memory contexts made for this once.
int copyToPixels(HBITMAP bitmap, HBITMAP pixels, int width, int height)
{
    HDC from = CreateCompatibleDC(nullptr);
    HDC to = CreateCompatibleDC(nullptr);
    HGDIOBJ keptFrom = from ? SelectObject(from, bitmap) : nullptr;
    HGDIOBJ keptTo = to ? SelectObject(to, pixels) : nullptr;
    const int copied = keptFrom && keptTo && BitBlt(to, 0, 0, width, height, from, 0, 0, SRCCOPY);
    if (keptFrom)
        SelectObject(from, keptFrom);
    if (keptTo)
        SelectObject(to, keptTo);
    if (from)
        DeleteDC(from);
    if (to)
        DeleteDC(to);
    return copied;
}

// The kept picture of id, loaded now if it is not kept yet; null when it
// cannot be loaded (it is then tried again at its next use).
const KeptPicture* keptPicture(uint16_t id)
{
    if (id < FIRST_PICTURE || id > LAST_PICTURE)
        return nullptr;
    KeptPicture& picture = pictures[id - FIRST_PICTURE];
    if (picture.bitmap)
        return &picture;
    HBITMAP loaded = LoadBitmapW(shell.instance, MAKEINTRESOURCEW(id));
    BITMAP header;
    if (!loaded || !GetObjectW(loaded, sizeof header, &header)) {
        if (loaded)
            DeleteObject(loaded);
        return nullptr;
    }
    const int width = static_cast<int>(header.bmWidth);
    const int height = static_cast<int>(header.bmHeight);
    void* pixels = nullptr;
    HBITMAP kept = makePixelBitmap(width, height, &pixels);
    const int copied = kept && copyToPixels(loaded, kept, width, height);
    DeleteObject(loaded);
    if (!copied) {
        if (kept)
            DeleteObject(kept);
        return nullptr;
    }
    picture = KeptPicture{kept, static_cast<const uint32_t*>(pixels), width, height};
    return &picture;
}

// 1 when the off-screen frame is ready to compose into.
int keepFrame() { return composed.dc || makePixelContext(&composed, FRAME_WIDTH, FRAME_HEIGHT); }

// The rows top to bottom of the frame's area r, each width pixels long:
// each gets fill(row pixels, its y).
template <typename Fill>
void eachRow(const RECT& r, Fill fill)
{
    for (int y = r.top; y < r.bottom; ++y)
        fill(composed.pixels + static_cast<size_t>(y) * FRAME_WIDTH + r.left, y);
}

// Copies bitmap id at its natural size with its top-left corner at (x, y),
// or, with centreOn given, centred on that rectangle; only the part inside
// composeBounds.
void copyBitmap(uint16_t id, int x, int y, const Rect* centreOn)
{
    const KeptPicture* picture = keptPicture(id);
    if (!picture)
        return;
    if (centreOn) {
        x = centreOn->left + (centreOn->right - centreOn->left - picture->width) / 2;
        y = centreOn->top + (centreOn->bottom - centreOn->top - picture->height) / 2;
    }
    const RECT placed = {x, y, x + picture->width, y + picture->height};
    RECT shown;
    if (!IntersectRect(&shown, &placed, &composeBounds))
        return;
    const size_t bytes = static_cast<size_t>(shown.right - shown.left) * sizeof(uint32_t);
    eachRow(shown, [&](uint32_t* row, int rowY) {
        std::memcpy(row, picture->pixels + static_cast<size_t>(rowY - y) * picture->width + (shown.left - x), bytes);
    });
}

// The background, centred on the frame. Where it leaves part of the frame
// uncovered (missing, or of another size), that part is black, as in a newly
// made frame, not what the last paint left there. The frame is the handset's
// screen whatever the size of the window's client area: a desktop host that
// shows it larger asks for it with WM_PRINTCLIENT and zooms it itself.
void drawBackground()
{
    const KeptPicture* background = keptPicture(IDB_BACKGROUND);
    if (!background || background->width != FRAME_WIDTH || background->height != FRAME_HEIGHT) {
        const size_t bytes = static_cast<size_t>(composeBounds.right - composeBounds.left) * sizeof(uint32_t);
        eachRow(composeBounds, [bytes](uint32_t* row, int) { std::memset(row, 0, bytes); });
    }
    drawBitmapCentred(IDB_BACKGROUND, FRAME_RECT);
}

void composeMainFrame()
{
    drawBackground();
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

void composeHiScoreBoard()
{
    drawBackground();
    drawNumber(game.score, screenLayout.scoreRect);
    drawNumber(game.level, screenLayout.levelRect);
    drawBitmapCentred(IDB_HISCORE_BOARD, screenLayout.playfieldRect);
    for (int place = 0; place < HIGH_SCORE_COUNT; ++place)
        drawNumber(game.highScores[place], hiScorePlaceRect(place));
}

const RECT WHOLE_FRAME = {FRAME_RECT.left, FRAME_RECT.top, FRAME_RECT.right, FRAME_RECT.bottom};

// Lets compose draw the part bounds of the kept off-screen frame and copies
// that part to target in one piece. Without a frame nothing is drawn.
void renderFrame(HDC target, const RECT& bounds, void (*compose)())
{
    if (!keepFrame() || !IntersectRect(&composeBounds, &bounds, &WHOLE_FRAME))
        return;
    compose();
    BitBlt(target,
           composeBounds.left,
           composeBounds.top,
           composeBounds.right - composeBounds.left,
           composeBounds.bottom - composeBounds.top,
           composed.dc,
           composeBounds.left,
           composeBounds.top,
           SRCCOPY);
}

// A paint brings up to date what its update region touches.
void paintWindow(HWND window, void (*compose)())
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (dc)
        renderFrame(dc, ps.rcPaint, compose);
    EndPaint(window, &ps);
}

}  // namespace

void renderMainFrame(HDC target) { renderFrame(target, WHOLE_FRAME, composeMainFrame); }

void paintMainWindow(HWND window) { paintWindow(window, composeMainFrame); }

void renderHiScoreBoard(HDC target) { renderFrame(target, WHOLE_FRAME, composeHiScoreBoard); }

void paintHiScoreBoard(HWND dialog) { paintWindow(dialog, composeHiScoreBoard); }

void keepPictures()
{
    keepFrame();
    for (int id = FIRST_PICTURE; id <= LAST_PICTURE; ++id)
        keptPicture(static_cast<uint16_t>(id));
}

void releasePictures()
{
    for (KeptPicture& picture : pictures) {
        if (picture.bitmap)
            DeleteObject(picture.bitmap);
        picture = KeptPicture{};
    }
    releasePixelContext(&composed);
}

void drawBitmapCentred(uint16_t bitmapId, const Rect& area) { copyBitmap(bitmapId, 0, 0, &area); }

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
