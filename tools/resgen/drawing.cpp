#include "drawing.h"

void bevelBlock(Image& img, int x, int y, int size, Colour base, int edge)
{
    Colour light = mix(base, rgb(255, 255, 255), 130);
    Colour lighter = mix(base, rgb(255, 255, 255), 200);
    Colour dark = shade(base, 45);
    Colour darker = shade(base, 28);
    img.fill(x, y, size, size, base);
    for (int i = 0; i < edge; ++i) {
        Colour hi = i == 0 ? lighter : light;
        Colour lo = i == 0 ? darker : dark;
        img.hline(x + i, x + size - 1 - i, y + i, hi);             // top
        img.vline(x + i, y + i, y + size - 1 - i, hi);             // left
        img.hline(x + i, x + size - 1 - i, y + size - 1 - i, lo);  // bottom
        img.vline(x + size - 1 - i, y + i, y + size - 1 - i, lo);  // right
        img.set(x + size - 1 - i, y + i, base);                    // corners where the edges meet
        img.set(x + i, y + size - 1 - i, base);
    }
    if (size >= 8) {  // a small gleam on the face, top left
        img.set(x + edge + 1, y + edge + 1, lighter);
        img.set(x + edge + 2, y + edge + 1, light);
        img.set(x + edge + 1, y + edge + 2, light);
    }
}

void bevelBlockIn(Image& img, int x, int y, int size, Colour face, Colour light, Colour dark, int edge)
{
    img.fill(x, y, size, size, face);
    for (int i = 0; i < edge; ++i) {
        img.hline(x + i, x + size - 1 - i, y + i, light);
        img.vline(x + i, y + i, y + size - 1 - i, light);
        img.hline(x + i, x + size - 1 - i, y + size - 1 - i, dark);
        img.vline(x + size - 1 - i, y + i, y + size - 1 - i, dark);
    }
}

void drawOutlined(Image& img, int x, int y, const char* const* rows, int count, Colour outline, bool corners,
                  const std::function<Colour(int row, int column)>& ink)
{
    for (int r = 0; r < count; ++r)
        for (int c = 0; rows[r][c]; ++c)
            if (rows[r][c] == '#')
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        if (corners || dx == 0 || dy == 0)
                            img.set(x + c + dx, y + r + dy, outline);
    for (int r = 0; r < count; ++r)
        for (int c = 0; rows[r][c]; ++c)
            if (rows[r][c] == '#')
                img.set(x + c, y + r, ink(r, c));
}

int bayer4(int x, int y)
{
    static const int m[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return m[y & 3][x & 3];
}

Colour dither(Colour a, Colour b, int t, int x, int y) { return (t * 16 / 256) > bayer4(x, y) ? b : a; }
