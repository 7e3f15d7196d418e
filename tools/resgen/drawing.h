// Drawing pieces shared by the game's and the launcher's pictures.
#ifndef RESGEN_DRAWING_H
#define RESGEN_DRAWING_H

#include <functional>

#include "image.h"

// A bevelled square block: light edges top and left, dark edges bottom and
// right, a face in the base colour with a small gleam. edge is the bevel
// width in pixels.
void bevelBlock(Image& img, int x, int y, int size, Colour base, int edge = 2);

// Same block in fixed colours (for pictures restricted to a small palette).
void bevelBlockIn(Image& img, int x, int y, int size, Colour face, Colour light, Colour dark, int edge = 1);

// The '#' cells of a pattern of count rows, top-left at (x, y), each in the
// colour ink(row, column) gives, over a one-pixel outline round them: on the
// four sides of every cell, and on its corners too when corners is true.
void drawOutlined(Image& img, int x, int y, const char* const* rows, int count, Colour outline, bool corners,
                  const std::function<Colour(int row, int column)>& ink);

// 4 x 4 ordered-dither threshold, 0..15, for the pixel (x, y).
int bayer4(int x, int y);

// Picks a or b for pixel (x, y) so that an area shows the mix t/256 of b.
Colour dither(Colour a, Colour b, int t, int x, int y);

// A small deterministic generator, so the pictures are the same every build.
struct Lcg {
    uint32_t state;
    explicit Lcg(uint32_t seed) : state(seed) {}
    uint32_t next()
    {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
    int below(int n) { return int(next() % uint32_t(n)); }
};

#endif
