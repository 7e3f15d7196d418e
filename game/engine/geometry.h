// Pixel geometry of the 176 x 180 frame. Pure data, shared by the engine
// (which names these rectangles when it asks for a repaint) and the shell
// (which paints them). No platform headers here.
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

// Cell (row, column), row 0 at the bottom of the well.
Rect cellRect(int row, int column);

#endif
