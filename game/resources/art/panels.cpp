// The frame's background with its boxes, the banners over the well and the
// boards that cover it.
#include "art_shared.h"
#include "drawing.h"
#include "game_art.h"
#include "pixel_font.h"

using namespace game_art;

namespace {

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

Image boardBase()
{
    Image img(PLAYFIELD_RECT.right - PLAYFIELD_RECT.left, PLAYFIELD_RECT.bottom - PLAYFIELD_RECT.top, BLACK);
    for (int y = 1; y < img.height - 1; ++y)  // a faint blue glow towards the foot
        img.hline(1, img.width - 2, y, mix(BLACK, rgb(10, 20, 60), y * 256 / img.height));
    goldFrame(img);
    return img;
}

}  // namespace

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
