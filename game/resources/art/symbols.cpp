// The symbols on the banners and boards: key caps with arrows, the skull
// and bones, the stopwatch and the pointing hand.
#include <initializer_list>

#include "art_shared.h"
#include "drawing.h"

namespace game_art {

namespace {

// A picture drawn from a pattern: '.' leaves the pixel, other characters
// pick a colour from the key.
struct Ink {
    char key;
    Colour colour;
};
void drawPattern(Image& img, int x, int y, const char* const* rows, int count, std::initializer_list<Ink> inks)
{
    for (int r = 0; r < count; ++r)
        for (int c = 0; rows[r][c]; ++c)
            for (const Ink& ink : inks)
                if (rows[r][c] == ink.key)
                    img.set(x + c, y + r, ink.colour);
}

}  // namespace

void keyCap(Image& img, int x, int y)
{
    Colour cap = rgb(70, 80, 100);
    img.fill(x + 1, y, 13, 15, cap);
    img.fill(x, y + 1, 15, 13, cap);
    img.hline(x + 1, x + 13, y, rgb(170, 180, 200));
    img.vline(x, y + 1, y + 13, rgb(170, 180, 200));
    img.hline(x + 1, x + 13, y + 14, rgb(30, 34, 44));
    img.vline(x + 14, y + 1, y + 13, rgb(30, 34, 44));
}

void arrowKey(Image& img, int x, int y, int dir)
{
    keyCap(img, x, y);
    // The arrow, drawn pointing right in a 10 x 9 box and turned as asked.
    static const char* const arrow[9] = {
        ".....#....",
        ".....##...",
        ".....###..",
        "#########.",
        "##########",
        "#########.",
        ".....###..",
        ".....##...",
        ".....#....",
    };
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 10; ++c) {
            if (arrow[r][c] != '#')
                continue;
            int px = 0, py = 0;
            switch (dir) {
            case 0:
                px = 9 - c;
                py = r;
                break;  // left
            case 1:
                px = c;
                py = r;
                break;  // right
            case 2:
                px = r;
                py = c;
                break;  // down
            default:
                px = r;
                py = 9 - c;
                break;  // up
            }
            if (dir < 2)
                img.set(x + 2 + px, y + 3 + py, YELLOW);
            else
                img.set(x + 3 + px, y + 2 + py, YELLOW);
        }
}

void skullAndBones(Image& img, int x, int y)
{
    Colour bone = rgb(255, 240, 190);
    for (int i = 1; i < 16; ++i) {  // two bones, two pixels thick
        img.set(x + i, y + i, bone);
        img.set(x + i + 1, y + i, bone);
        img.set(x + 16 - i, y + i, bone);
        img.set(x + 15 - i, y + i, bone);
    }
    // Knobbed ends: each end of a bone splits into two round knobs.
    for (int end = 0; end < 4; ++end) {
        int ex = end % 2 ? x + 15 : x + 1, ey = end / 2 ? y + 15 : y + 1;
        int sx = end % 2 ? 1 : -1, sy = end / 2 ? 1 : -1;
        img.set(ex + sx, ey, bone);
        img.set(ex, ey + sy, bone);
        img.set(ex + sx, ey - sy, bone);
        img.set(ex - sx, ey + sy, bone);
    }
    static const char* const skull[13] = {
        "...#######...",
        "..#########..",
        ".###########.",
        ".###########.",
        ".##...#...##.",
        ".#....#....#.",
        ".##..###..##.",
        ".#####.#####.",
        "..###...###..",
        "...#######...",
        "...#.#.#.#...",
        "...#######...",
        "....#####....",
    };
    // In a black halo, so the skull stands clear of the bones.
    drawOutlined(img, x + 2, y + 1, skull, 13, BLACK, true, [](int r, int) { return mix(YELLOW, GOLD, r * 256 / 12); });
}

void clockSymbol(Image& img, int cx, int cy)
{
    img.disc(cx, cy, 8, YELLOW);
    img.disc(cx, cy, 6, BLACK);
    for (int i = 0; i < 4; ++i) {  // marks at 12, 3, 6 and 9
        int dx = i == 1 ? 5 : i == 3 ? -5 : 0;
        int dy = i == 0 ? -5 : i == 2 ? 5 : 0;
        img.set(cx + dx, cy + dy, GOLD);
    }
    img.vline(cx, cy - 4, cy, WHITE);  // minute hand at twelve
    img.hline(cx, cx + 3, cy, WHITE);  // hour hand at three
    img.set(cx, cy, YELLOW);
    img.fill(cx - 1, cy - 11, 3, 2, YELLOW);  // the winding knob
}

void pointingHand(Image& img, int x, int y)
{
    static const char* const hand[13] = {
        "...........",
        "......oooo.........",
        ".....osssso........",
        "oooo.ossssoooooooo.",
        "owwooosssssssssssso",
        "owwosssssssssssssso",
        "owwossssssooooooooo",
        "owwosssssssso......",
        "owwossssssoo.......",
        "owwosssssssso......",
        "owwoossssssoo......",
        "oooo.oosssso.......",
        ".......oooo........",
    };
    drawPattern(img, x, y, hand, 13, {{'o', rgb(120, 60, 20)}, {'s', rgb(255, 210, 160)}, {'w', WHITE}});
}

}  // namespace game_art
