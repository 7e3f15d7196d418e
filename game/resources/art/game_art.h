// The game's pictures, drawn for a 176 x 180 screen viewed at 1:1 and laid
// out on the frame's rectangles (geometry.h).
#ifndef RESGEN_GAME_ART_H
#define RESGEN_GAME_ART_H

#include "game_state.h"  // PIECE_TYPES and, through it, geometry.h
#include "image.h"

// The face colour of piece type 1..7: red, orange, yellow, green, cyan,
// magenta, violet.
Colour pieceColour(int type);

Image backgroundPicture();       // the whole frame
Image previewPicture(int type);  // the spawn shape, cut to its bounding box
Image cellPicture(int type);     // one cell
Image gameOverBanner();          // 85 x 22
Image digitPicture(int digit);   // 9 x 12
Image instructionsPicture();     // the size of PLAYFIELD_RECT
Image pausedBanner();            // 85 x 22
Image hiscoreBoardPicture();     // the size of PLAYFIELD_RECT

// The game's icon: four bevelled blocks in two offset pairs. size 32 or 16;
// richColours false keeps it within 16 colours.
Image gameIcon(int size, bool richColours);

#endif
