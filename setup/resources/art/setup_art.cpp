#include "setup_art.h"

#include "drawing.h"
#include "pixel_font.h"

namespace {

constexpr Colour BLACK = rgb(0, 0, 0);
constexpr Colour MAROON = rgb(128, 0, 0);
constexpr Colour GREEN = rgb(0, 128, 0);
constexpr Colour OLIVE = rgb(128, 128, 0);
constexpr Colour NAVY = rgb(0, 0, 128);
constexpr Colour PURPLE = rgb(128, 0, 128);
constexpr Colour TEAL = rgb(0, 128, 128);
constexpr Colour SILVER = rgb(192, 192, 192);
constexpr Colour GREY = rgb(128, 128, 128);
constexpr Colour RED = rgb(255, 0, 0);
constexpr Colour LIME = rgb(0, 255, 0);
constexpr Colour YELLOW = rgb(255, 255, 0);
constexpr Colour BLUE = rgb(0, 0, 255);
constexpr Colour FUCHSIA = rgb(255, 0, 255);
constexpr Colour AQUA = rgb(0, 255, 255);
constexpr Colour WHITE = rgb(255, 255, 255);

struct BlockColours {
    Colour face, light, dark;
};
const BlockColours blockColours[] = {
    {RED, FUCHSIA, MAROON},
    {YELLOW, WHITE, OLIVE},
    {LIME, WHITE, GREEN},
    {AQUA, WHITE, TEAL},
    {BLUE, AQUA, NAVY},
    {FUCHSIA, WHITE, PURPLE},
};

void block(Image& img, int x, int y, int size, int colour)
{
    const BlockColours& c = blockColours[colour % 6];
    bevelBlockIn(img, x, y, size, c.face, c.light, c.dark, 1);
}

// A handset seen from the front: body, screen, softkeys and keypad.
// (x, y) is the top-left of the body, w x h its size.
void drawHandset(Image& img, int x, int y, int w, int h, int screenH)
{
    img.fill(x + 1, y, w - 2, h, SILVER);
    img.fill(x, y + 1, w, h - 2, SILVER);
    img.vline(x, y + 2, y + h - 3, WHITE);
    img.hline(x + 2, x + w - 3, y, WHITE);
    img.vline(x + w - 1, y + 2, y + h - 3, GREY);
    img.hline(x + 2, x + w - 3, y + h - 1, GREY);
    img.set(x + 1, y + 1, WHITE);
    img.set(x + w - 2, y + h - 2, GREY);
    // earpiece
    img.hline(x + w / 2 - 4, x + w / 2 + 3, y + 3, GREY);
    // screen with a dark frame
    int sx = x + 4, sy = y + 7, sw = w - 8;
    img.fill(sx - 1, sy - 1, sw + 2, screenH + 2, GREY);
    img.fill(sx, sy, sw, screenH, BLACK);
    // keypad: softkeys, a round navigation key, then a grid of keys
    int ky = sy + screenH + 4;
    img.fill(x + 4, ky, 10, 4, GREY);
    img.fill(x + w - 14, ky, 10, 4, GREY);
    img.disc(x + w / 2, ky + 6, 5, GREY);
    img.disc(x + w / 2, ky + 6, 2, SILVER);
    int kw = (w - 16) / 3;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) {
            int kx = x + 5 + c * (kw + 3), kyy = ky + 15 + r * 7;
            if (kyy + 5 > y + h - 3)
                continue;
            img.fill(kx, kyy, kw, 5, WHITE);
            img.hline(kx, kx + kw - 1, kyy + 4, GREY);
            img.vline(kx + kw - 1, kyy, kyy + 4, GREY);
        }
}

}  // namespace

const std::vector<Colour>& standardPalette16()
{
    static const std::vector<Colour> palette = {
        BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER, GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE};
    return palette;
}

// The icon's handset, slightly left of centre, with a few settled blocks
// and one falling on its screen.
void iconHandset(Image& img)
{
    int x = 5, y = 1, w = 18, h = 30;
    img.fill(x + 1, y, w - 2, h, SILVER);
    img.fill(x, y + 1, w, h - 2, SILVER);
    img.vline(x - 1, y + 2, y + h - 3, BLACK);
    img.vline(x + w, y + 2, y + h - 3, BLACK);
    img.hline(x + 1, x + w - 2, y - 1 < 0 ? 0 : y - 1, BLACK);
    img.hline(x + 1, x + w - 2, y + h, BLACK);
    img.set(x, y, BLACK);
    img.set(x + w - 1, y, BLACK);
    img.set(x, y + h - 1, BLACK);
    img.set(x + w - 1, y + h - 1, BLACK);
    img.vline(x + 1, y + 2, y + h - 3, WHITE);
    img.vline(x + w - 2, y + 2, y + h - 3, GREY);
    img.hline(x + 7, x + 10, y + 2, GREY);
    img.fill(x + 3, y + 4, 12, 13, BLACK);
    img.fill(x + 4, y + 14, 3, 2, RED);
    img.fill(x + 7, y + 14, 3, 2, YELLOW);
    img.fill(x + 10, y + 14, 3, 2, LIME);
    img.fill(x + 4, y + 12, 3, 2, AQUA);
    img.fill(x + 7, y + 6, 3, 2, FUCHSIA);
    img.fill(x + 7, y + 8, 3, 2, FUCHSIA);
    img.fill(x + 10, y + 8, 3, 2, FUCHSIA);
    for (int r = 0; r < 3; ++r)  // keys
        for (int c = 0; c < 3; ++c)
            img.fill(x + 3 + c * 4, y + 19 + r * 3, 3, 2, GREY);
}

Image setupIcon()
{
    Image img(32, 32, TRANSPARENT);
    iconHandset(img);
    // A green arrow pointing down into the handset: the installation. Drawn
    // with a black outline so it reads on any desktop.
    static const char* const arrow[10] = {
        "..###..",
        "..###..",
        "..###..",
        "..###..",
        "..###..",
        "#######",
        ".#####.",
        "..###..",
        "...#...",
        ".......",
    };
    drawOutlined(img, 23, 2, arrow, 10, BLACK, false, [](int, int c) { return c < 3 ? LIME : GREEN; });
    return img;
}

Image setupPicture()
{
    const int W = 118, H = 234;
    Image img(W, H, BLACK);
    // Night-blue sky, dithered from navy at the top to blue near the ground.
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            int t = y * 256 / H;
            img.set(x, y, t < 128 ? dither(BLACK, NAVY, t * 2, x, y) : dither(NAVY, BLUE, (t - 128) * 2, x, y));
        }
    Lcg random(304);
    for (int i = 0; i < 40; ++i) {
        int x = random.below(W), y = random.below(H / 2);
        img.set(x, y, i % 5 == 0 ? WHITE : SILVER);
    }
    // Blocks tumbling down from the top.
    block(img, 14, 10, 10, 0);
    block(img, 24, 10, 10, 0);
    block(img, 24, 20, 10, 0);
    block(img, 78, 24, 10, 2);
    block(img, 88, 24, 10, 2);
    block(img, 88, 14, 10, 2);
    block(img, 98, 14, 10, 2);
    block(img, 50, 2, 10, 3);
    block(img, 50, 12, 10, 3);
    block(img, 50, 22, 10, 3);
    block(img, 50, 32, 10, 3);

    // The handset, with the game on its screen.
    int hx = 24, hy = 50, hw = 70, screenH = 64;
    drawHandset(img, hx, hy, hw, 132, screenH);
    int sx = hx + 4, sy = hy + 7;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 10; ++c) {
            if ((r == 0 && c == 6) || (r == 1 && (c == 2 || c == 6 || c == 7)) ||
                (r == 2 && c != 1 && c != 4 && c != 8))
                continue;
            block(img, sx + 2 + c * 6, sy + screenH - 8 - r * 6, 6, (r * 3 + c) % 6);
        }
    block(img, sx + 26, sy + 12, 6, 5);
    block(img, sx + 32, sy + 12, 6, 5);
    block(img, sx + 32, sy + 18, 6, 5);
    block(img, sx + 38, sy + 18, 6, 5);

    // The product name below.
    int ty = 196;
    drawShadowText(img, centredX(0, W, "KUBREL SE", 1, true), ty, "KUBREL SE", YELLOW, BLACK, 1, true);
    drawShadowText(img, centredX(0, W, "SMARTPHONE", 1, false), ty + 12, "SMARTPHONE", WHITE, NAVY);
    drawShadowText(img, centredX(0, W, "EDITION", 1, false), ty + 21, "EDITION", WHITE, NAVY);
    return img;
}

Image backdropTestPicture()
{
    Image img(21, 13);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            img.set(x, y, (x + 2 * y) % 7 == 0 ? rgb(255, 0, 255) : rgb(10 + 11 * x, 20 + 17 * y, 60 + x * y % 150));
    return img;
}
