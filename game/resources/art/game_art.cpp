#include "game_art.h"

#include "drawing.h"
#include "pixel_font.h"
#include "tile_table.h"

namespace {

constexpr Colour BLACK = rgb(0, 0, 0);
constexpr Colour WHITE = rgb(255, 255, 255);
constexpr Colour YELLOW = rgb(255, 224, 32);
constexpr Colour GOLD = rgb(232, 168, 16);
constexpr Colour DEEP_GOLD = rgb(150, 96, 8);
constexpr Colour STEEL = rgb(64, 88, 136);
constexpr Colour STEEL_LIGHT = rgb(150, 176, 220);
constexpr Colour STEEL_DARK = rgb(24, 34, 60);
constexpr Colour PANEL = rgb(40, 56, 96);
constexpr Colour CYAN_TEXT = rgb(120, 230, 255);

// Digits 7 x 10, strokes two pixels wide so they stay apart at 1:1.
const char* const digitRows[10][10] = {
    {".#####.", "##...##", "##...##", "##..###", "##.#.##", "###..##", "##...##", "##...##", "##...##", ".#####."},
    {"...##..", "..###..", ".####..", "...##..", "...##..", "...##..", "...##..", "...##..", "...##..", ".######"},
    {".#####.", "##...##", ".....##", ".....##", "....##.", "...##..", "..##...", ".##....", "##.....", "#######"},
    {".#####.", "##...##", ".....##", ".....##", "..####.", ".....##", ".....##", ".....##", "##...##", ".#####."},
    {"....##.", "...###.", "..####.", ".##.##.", "##..##.", "#######", "....##.", "....##.", "....##.", "....##."},
    {"#######", "##.....", "##.....", "######.", ".....##", ".....##", ".....##", ".....##", "##...##", ".#####."},
    {"..####.", ".##....", "##.....", "######.", "##...##", "##...##", "##...##", "##...##", "##...##", ".#####."},
    {"#######", ".....##", "....##.", "....##.", "...##..", "...##..", "..##...", "..##...", "..##...", "..##..."},
    {".#####.", "##...##", "##...##", ".##.##.", "..###..", ".##.##.", "##...##", "##...##", "##...##", ".#####."},
    {".#####.", "##...##", "##...##", "##...##", "##...##", ".######", ".....##", ".....##", "....##.", ".####.."},
};

// Draws digit d's 7 x 10 glyph at (x, y), shading from top to bottom.
void drawBigDigit(Image& img, int x, int y, int d, Colour top, Colour bottom)
{
    for (int r = 0; r < 10; ++r) {
        Colour c = mix(top, bottom, r * 256 / 9);
        for (int col = 0; col < 7; ++col)
            if (digitRows[d][r][col] == '#')
                img.set(x + col, y + r, c);
    }
}

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

// Where a picture's element lies, edges included.
struct BoxSpan {
    int left, top, right, bottom;
};

// The black face of a box around an area the game paints into: the area
// with its right and bottom edges, widened by margin on every side.
BoxSpan faceAround(const Rect& area, int margin)
{
    return {area.left - margin, area.top - margin, area.right + margin, area.bottom + margin};
}

// A black box with a sunken one-pixel rim around it (the rim lies outside).
void sunkenBox(Image& img, const BoxSpan& b)
{
    img.fill(b.left, b.top, b.right - b.left + 1, b.bottom - b.top + 1, BLACK);
    img.hline(b.left - 1, b.right + 1, b.top - 1, STEEL_DARK);
    img.vline(b.left - 1, b.top - 1, b.bottom + 1, STEEL_DARK);
    img.hline(b.left - 1, b.right + 1, b.bottom + 1, STEEL_LIGHT);
    img.vline(b.right + 1, b.top, b.bottom + 1, STEEL_LIGHT);
}

// The panel column right of the well, as wide as the faces of its boxes.
constexpr int PANEL_LEFT = NEXT_RECT.left;
constexpr int PANEL_WIDTH = NEXT_RECT.right + 1 - NEXT_RECT.left;

// A label centred over the panel column, in gold with a dark shadow.
void panelLabel(Image& img, int y, const char* text)
{
    int x = centredX(PANEL_LEFT, PANEL_WIDTH, text, 1, true);
    drawText(img, x + 1, y + 1, text, STEEL_DARK, 1, true);
    for (int r = 0; r < GLYPH_HEIGHT; ++r) {
        // draw row by row for a top-to-bottom gold gradient
        Image line(FRAME_WIDTH, FRAME_HEIGHT, TRANSPARENT);
        drawText(line, x, y, text, mix(YELLOW, GOLD, r * 256 / 6), 1, true);
        for (int i = 0; i < line.width; ++i)
            if (line.at(i, y + r) != TRANSPARENT)
                img.set(i, y + r, line.at(i, y + r));
    }
}

// A panel box with its label ten pixels above it.
void labelledBox(Image& img, const char* label, const BoxSpan& face)
{
    panelLabel(img, face.top - 10, label);
    sunkenBox(img, face);
}

// A frame of a banner or board: black inside, a gold rule with rounded
// corners one pixel in from the edge.
void goldFrame(Image& img)
{
    int w = img.width, h = img.height;
    img.hline(2, w - 3, 0, GOLD);
    img.hline(2, w - 3, h - 1, DEEP_GOLD);
    img.vline(0, 2, h - 3, GOLD);
    img.vline(w - 1, 2, h - 3, DEEP_GOLD);
    img.set(1, 1, GOLD);
    img.set(w - 2, 1, GOLD);
    img.set(1, h - 2, DEEP_GOLD);
    img.set(w - 2, h - 2, DEEP_GOLD);
}

// An arrow symbol inside a key cap of 15 x 15 at (x, y); dir 0 left,
// 1 right, 2 down, 3 up.
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

// Crossed bones behind a skull, 17 x 17, with its top-left at (x, y).
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

// A stopwatch face of radius 8 centred on (cx, cy), showing three o'clock.
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

// A hand pointing right, 19 x 13, top-left at (x, y).
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

Image boardBase()
{
    Image img(PLAYFIELD_RECT.right - PLAYFIELD_RECT.left, PLAYFIELD_RECT.bottom - PLAYFIELD_RECT.top, BLACK);
    for (int y = 1; y < img.height - 1; ++y)  // a faint blue glow towards the foot
        img.hline(1, img.width - 2, y, mix(BLACK, rgb(10, 20, 60), y * 256 / img.height));
    goldFrame(img);
    return img;
}

}  // namespace

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

Image digitPicture(int digit)
{
    Image img(9, 12, BLACK);
    drawBigDigit(img, 1, 1, digit, YELLOW, GOLD);
    return img;
}

Image backgroundPicture()
{
    Image img(FRAME_WIDTH, FRAME_HEIGHT, BLACK);
    // The metal frame around the well and the panel on the right.
    for (int y = 0; y < FRAME_HEIGHT; ++y)
        for (int x = 0; x < FRAME_WIDTH; ++x)
            img.set(x, y, mix(PANEL, STEEL, (y * 256) / FRAME_HEIGHT));
    // The well, exactly its cells: deep space, a little lighter towards the floor.
    const Rect bottomLeft = cellRect(0, 0), topRight = cellRect(FIELD_ROWS - 1, FIELD_COLUMNS - 1);
    const int wl = bottomLeft.left, wt = topRight.top, wr = topRight.right - 1, wb = bottomLeft.bottom - 1;
    for (int y = wt; y <= wb; ++y)
        img.hline(wl, wr, y, mix(rgb(2, 2, 12), rgb(12, 14, 44), (y - wt) * 256 / (wb - wt)));
    Lcg random(400);
    for (int i = 0; i < 70; ++i) {
        int x = wl + random.below(wr - wl + 1), y = wt + random.below(wb - wt + 1);
        int kind = random.below(10);
        if (kind < 6) {
            img.set(x, y, rgb(70, 80, 120));  // faint
        } else if (kind < 9) {
            img.set(x, y, rgb(150, 160, 200));
        } else if (x > wl + 1 && x < wr - 1 && y > wt + 1 && y < wb - 1) {
            img.set(x, y, WHITE);  // a bright one with a little cross
            img.set(x - 1, y, rgb(90, 100, 150));
            img.set(x + 1, y, rgb(90, 100, 150));
            img.set(x, y - 1, rgb(90, 100, 150));
            img.set(x, y + 1, rgb(90, 100, 150));
        }
    }
    // Bevel of the well's rim: dark above and left, light below and right.
    img.hline(wl - 1, wr + 1, wt - 1, STEEL_DARK);
    img.vline(wl - 1, wt - 1, wb + 1, STEEL_DARK);
    img.hline(wl - 1, wr + 1, wb + 1, STEEL_LIGHT);
    img.vline(wr + 1, wt, wb + 1, STEEL_LIGHT);
    const int right = FRAME_WIDTH - 1, bottom = FRAME_HEIGHT - 1;
    img.hline(0, right, 0, STEEL_LIGHT);
    img.vline(0, 0, bottom, STEEL_LIGHT);
    img.hline(0, right, bottom, STEEL_DARK);
    img.vline(right, 0, bottom, STEEL_DARK);

    // The numbers sit one pixel inside their boxes; the preview fills its own.
    labelledBox(img, "SCORE", faceAround(SCORE_RECT, 1));
    labelledBox(img, "LEVEL", faceAround(LEVEL_RECT, 1));
    labelledBox(img, "NEXT", faceAround(NEXT_RECT, 0));

    // The name between the score and the level, and a row of small blocks
    // between the level and the preview.
    drawText(img, centredX(PANEL_LEFT, PANEL_WIDTH, "KUBREL"), 47, "KUBREL", STEEL_LIGHT);
    drawText(img, centredX(PANEL_LEFT, PANEL_WIDTH, "SE"), 56, "SE", CYAN_TEXT);
    for (int i = 0; i < 4; ++i)
        bevelBlock(img, 131 + i * 10, 106, 8, pieceColour(i * 2 + 1), 1);
    return img;
}

Image gameOverBanner()
{
    Image img(85, 22, BLACK);
    goldFrame(img);
    skullAndBones(img, 3, 2);
    // Bold letters with a narrow word gap, so both words fit beside the skull.
    int x = drawText(img, 23, 8, "GAME", YELLOW, 1, true);
    drawText(img, x + 4, 8, "OVER", YELLOW, 1, true);
    return img;
}

Image pausedBanner()
{
    Image img(85, 22, BLACK);
    goldFrame(img);
    clockSymbol(img, 12, 12);
    drawText(img, 23, 4, "PAUSE", YELLOW, 2, false);
    return img;
}

Image instructionsPicture()
{
    Image img = boardBase();
    const char* heading = "HOW TO PLAY";
    drawText(img, centredX(0, img.width, heading, 1, true), 9, heading, YELLOW, 1, true);
    img.hline(14, img.width - 15, 19, GOLD);
    static const char* const lines[4] = {"MOVE LEFT", "MOVE RIGHT", "MOVE DOWN", "ROTATE"};
    for (int i = 0; i < 4; ++i) {
        int y = 30 + i * 24;
        arrowKey(img, 12, y, i == 3 ? 3 : i);
        drawText(img, 36, y + 4, lines[i], WHITE);
    }
    // The '#' key pauses.
    int y = 30 + 4 * 24;
    keyCap(img, 12, y);
    drawText(img, 17, y + 4, "#", YELLOW);
    drawText(img, 36, y + 4, "PAUSE", WHITE);
    const char* footer = "PRESS START";
    drawText(img, centredX(0, img.width, footer), 152, footer, CYAN_TEXT);
    return img;
}

Image hiscoreBoardPicture()
{
    Image img = boardBase();
    pointingHand(img, 8, 9);
    drawText(img, 31, 9, "HISCORE", YELLOW, 2, false);
    img.hline(8, img.width - 9, 27, GOLD);
    for (int place = 0; place < HIGH_SCORE_COUNT; ++place) {
        // The board covers the well, so its own coordinates are the frame's
        // less the well's top-left corner.
        const Rect score = hiScorePlaceRect(place);
        const int x = score.left - PLAYFIELD_RECT.left, y = score.top - PLAYFIELD_RECT.top;
        const int w = score.right - score.left, h = score.bottom - score.top;
        // "1." .. "5." in the digit shapes, level with the scores
        drawBigDigit(img, 21, y + 1, place + 1, CYAN_TEXT, rgb(40, 150, 220));
        img.fill(29, y + 9, 2, 2, CYAN_TEXT);
        // the strip where the score is drawn stays black, with a thin rim
        img.fill(x - 2, y - 2, w + 4, h + 4, BLACK);
        img.frame(x - 3, y - 3, w + 6, h + 6, rgb(40, 60, 110));
    }
    return img;
}

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
