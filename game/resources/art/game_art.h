// The game's pictures, drawn for a 176 x 180 screen viewed at 1:1.
#ifndef RESGEN_GAME_ART_H
#define RESGEN_GAME_ART_H

#include "image.h"

constexpr int PIECE_TYPES = 7;

// The face colour of piece type 1..7: red, orange, yellow, green, cyan,
// magenta, violet.
Colour pieceColour(int type);

Image backgroundPicture();         // 176 x 180
Image previewPicture(int type);    // the spawn shape, cut to its bounding box
Image cellPicture(int type);       // 12 x 12
Image gameOverBanner();            // 85 x 22
Image digitPicture(int digit);     // 9 x 12
Image instructionsPicture();       // 119 x 167
Image pausedBanner();              // 85 x 22
Image hiscoreBoardPicture();       // 119 x 167

// The game's icon: four bevelled blocks in two offset pairs. size 32 or 16;
// richColours false keeps it within 16 colours.
Image gameIcon(int size, bool richColours);

// Where the pictures' fixed elements lie, in the pictures' own coordinates.
struct BoxSpan {
    int left, top, right, bottom;  // inclusive
};
constexpr BoxSpan SCORE_BOX = {126, 23, 173, 37};
constexpr BoxSpan LEVEL_BOX = {126, 79, 173, 93};
constexpr BoxSpan NEXT_BOX = {126, 138, 173, 173};
// On the high-score board (drawn at 3, 6 of the frame): the place rows and
// the strip left free for the numbers.
constexpr int BOARD_FIRST_ROW = 40;    // frame y 46
constexpr int BOARD_ROW_STEP = 25;
constexpr int BOARD_NUMBER_LEFT = 47;  // frame x 50
constexpr int BOARD_NUMBER_RIGHT = 96; // frame x 99

#endif
