// The pieces' pictures: the face colour of each type, one cell, and the
// preview of the next piece.
#include "art_shared.h"
#include "drawing.h"
#include "game_art.h"
#include "tile_table.h"

using game_art::BLACK;

Colour pieceColour(int type)
{
    static const Colour colours[PIECE_TYPES] = {
        rgb(224, 32, 32),   // red
        rgb(248, 136, 16),  // orange
        rgb(240, 216, 24),  // yellow
        rgb(40, 192, 56),   // green
        rgb(32, 200, 224),  // cyan
        rgb(232, 48, 184),  // magenta
        rgb(128, 72, 232),  // violet
    };
    return colours[(type - 1) % PIECE_TYPES];
}

Image cellPicture(int type)
{
    Image img(CELL_SIZE, CELL_SIZE, BLACK);
    bevelBlock(img, 0, 0, CELL_SIZE, pieceColour(type), 2);
    return img;
}

Image previewPicture(int type)
{
    const uint8_t* mask = tileTable[type - 1];  // a type spawns with its own tile
    int minR = 4, maxR = -1, minC = 4, maxC = -1;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (mask[r * 4 + c]) {
                if (r < minR)
                    minR = r;
                if (r > maxR)
                    maxR = r;
                if (c < minC)
                    minC = c;
                if (c > maxC)
                    maxC = c;
            }
    Image img((maxC - minC + 1) * CELL_SIZE, (maxR - minR + 1) * CELL_SIZE, BLACK);
    Image cell = cellPicture(type);
    for (int r = minR; r <= maxR; ++r)
        for (int c = minC; c <= maxC; ++c)
            if (mask[r * 4 + c])
                img.blit(cell, (c - minC) * CELL_SIZE, (r - minR) * CELL_SIZE);
    return img;
}
