// The game's icon.
#include "art_shared.h"
#include "drawing.h"
#include "game_art.h"

using game_art::WHITE;

Image gameIcon(int size, bool richColours)
{
    Image img(size, size, TRANSPARENT);
    struct Block {
        int col, row;
        Colour colour;
    };
    const Block blocks[4] = {
        {1, 0, rgb(224, 32, 32)},   // red
        {2, 0, rgb(40, 80, 232)},   // blue
        {0, 1, rgb(248, 136, 16)},  // orange
        {1, 1, rgb(240, 216, 24)},  // yellow
    };
    int b = size == 32 ? 10 : 5;
    int ox = size == 32 ? 1 : 0, oy = size == 32 ? 6 : 3;
    for (const Block& k : blocks) {
        int x = ox + k.col * b, y = oy + k.row * b;
        if (richColours)
            bevelBlock(img, x, y, b, k.colour, 2);
        else
            bevelBlockIn(img, x, y, b, k.colour, mix(k.colour, WHITE, 140), shade(k.colour, 45), size == 32 ? 2 : 1);
    }
    return img;
}
