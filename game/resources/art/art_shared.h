// What the game's picture files share: the palette, the large digit shapes
// and the symbols drawn on the banners and boards. Only the files of this
// folder include it; game_art.h is what the generator sees.
#ifndef RESGEN_ART_SHARED_H
#define RESGEN_ART_SHARED_H

#include "image.h"

namespace game_art {

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

// Draws digit d's 7 x 10 glyph at (x, y), shading from top to bottom
// (glyphs.cpp).
void drawBigDigit(Image& img, int x, int y, int d, Colour top, Colour bottom);

// The symbols (symbols.cpp).
// A key cap of 15 x 15 with its top-left at (x, y).
void keyCap(Image& img, int x, int y);
// An arrow symbol inside a key cap at (x, y); dir 0 left, 1 right, 2 down,
// 3 up.
void arrowKey(Image& img, int x, int y, int dir);
// Crossed bones behind a skull, 17 x 17, with its top-left at (x, y).
void skullAndBones(Image& img, int x, int y);
// A stopwatch face of radius 8 centred on (cx, cy), showing three o'clock.
void clockSymbol(Image& img, int cx, int cy);
// A hand pointing right, 19 x 13, top-left at (x, y).
void pointingHand(Image& img, int x, int y);

}  // namespace game_art

#endif
