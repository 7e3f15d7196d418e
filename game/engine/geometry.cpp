#include "geometry.h"

ScreenLayout screenLayout;

void initLayout()
{
    for (int row = 0; row < FIELD_ROWS; ++row)
        for (int column = 0; column < FIELD_COLUMNS; ++column)
            screenLayout.cellRects[row * FIELD_COLUMNS + column] = cellRect(row, column);

    screenLayout.nextRect = NEXT_RECT;
    screenLayout.playfieldRect = PLAYFIELD_RECT;
    screenLayout.scoreRect = SCORE_RECT;
    screenLayout.levelRect = LEVEL_RECT;
}
