#include "geometry.h"

ScreenLayout screenLayout;

Rect cellRect(int row, int column)
{
    Rect r;
    r.left = CELL_SIZE * column + 3;
    r.right = CELL_SIZE * column + 15;
    r.top = 162 - CELL_SIZE * row;
    r.bottom = 174 - CELL_SIZE * row;
    return r;
}

void initLayout()
{
    for (int row = 0; row < FIELD_ROWS; ++row)
        for (int column = 0; column < FIELD_COLUMNS; ++column)
            screenLayout.cellRects[row * FIELD_COLUMNS + column] = cellRect(row, column);

    screenLayout.nextRect = Rect{126, 138, 173, 173};
    screenLayout.playfieldRect = Rect{3, 6, 122, 173};
    screenLayout.scoreRect = Rect{127, 24, 172, 36};
    screenLayout.levelRect = Rect{127, 80, 172, 92};
}
