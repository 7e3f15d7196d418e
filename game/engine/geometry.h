// Pixel geometry of the 176 x 180 frame. Pure data, shared by the engine
// (which names these rectangles when it asks for a repaint), the shell
// (which paints them) and the resource generator (which draws the pictures
// to fit them). No platform headers here.
#ifndef KUBRELSE_ENGINE_GEOMETRY_H
#define KUBRELSE_ENGINE_GEOMETRY_H

#include <cstdint>

// Left, top, right, bottom; right and bottom exclusive. Same field order and
// widths as the platform's RECT, so the shell can hand one over unchanged.
struct Rect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

constexpr int FIELD_COLUMNS = 10;
constexpr int FIELD_ROWS = 14;
constexpr int FIELD_CELLS = FIELD_COLUMNS * FIELD_ROWS;

constexpr int FRAME_WIDTH = 176;
constexpr int FRAME_HEIGHT = 180;
constexpr int CELL_SIZE = 12;

// The whole frame.
constexpr Rect FRAME_RECT = {0, 0, FRAME_WIDTH, FRAME_HEIGHT};

// The fixed areas of the frame: the well (where the banners and the boards
// are centred), the next piece's preview, and the two numbers.
constexpr Rect PLAYFIELD_RECT = {3, 6, 122, 173};
constexpr Rect NEXT_RECT = {126, 138, 173, 173};
constexpr Rect SCORE_RECT = {127, 24, 172, 36};
constexpr Rect LEVEL_RECT = {127, 80, 172, 92};

// Cell (row, column), row 0 at the bottom of the well.
constexpr Rect cellRect(int row, int column)
{
    return Rect{CELL_SIZE * column + 3, 162 - CELL_SIZE * row, CELL_SIZE * column + 15, 174 - CELL_SIZE * row};
}

// The score of place 0..4 (best first) on the high-score board.
constexpr Rect hiScorePlaceRect(int place) { return Rect{50, 46 + 25 * place, 100, 58 + 25 * place}; }

struct ScreenLayout {
    Rect playfieldRect;
    Rect nextRect;
    Rect scoreRect;
    Rect levelRect;
    Rect cellRects[FIELD_CELLS];  // same index as the board: row * 10 + column
};

extern ScreenLayout screenLayout;

// Fills screenLayout; called once before the first spawn or paint.
void initLayout();

#endif
