// The programs' own pixel font: capitals, digits and a little punctuation in
// 5 x 7 cells, drawn one pixel apart. Every letter in the pictures comes
// from here.
#ifndef RESGEN_PIXEL_FONT_H
#define RESGEN_PIXEL_FONT_H

#include "image.h"

constexpr int GLYPH_WIDTH = 5;
constexpr int GLYPH_HEIGHT = 7;

// The 5 x 7 pattern of a character, row 0 at the top, or null when the font
// has no such character.
const char* const* glyphRows(char ch);

// Width in pixels of text drawn at the given scale (bold adds one pixel).
int textWidth(const char* text, int scale = 1, bool bold = false);

// Draws text with its top-left corner at (x, y); returns the x after it.
// Bold thickens every stroke by one pixel to the right. Characters the font
// lacks abort the generator, so a typo can never ship as a gap.
int drawText(Image& img, int x, int y, const char* text, Colour c, int scale = 1, bool bold = false);

// drawText with a one-pixel shadow below and to the right.
int drawShadowText(Image& img, int x, int y, const char* text, Colour c, Colour shadowColour, int scale = 1,
                   bool bold = false);

// The x at which text of that width is centred in [left, left + width).
int centredX(int left, int width, const char* text, int scale = 1, bool bold = false);

#endif
