// The dissolve of backdrop.cpp's picture, declared for its tests: nothing
// else in the launcher reaches it.
#ifndef KUBRELSE_SETUP_BACKDROP_PARTS_H
#define KUBRELSE_SETUP_BACKDROP_PARTS_H

// Pass in which each pixel of an 8 x 8 cell is drawn, row by row.
extern const unsigned char dissolveOrder[64];
// 1 until the first paint has dissolved the picture into view.
extern int dissolvePending;

// Calls visit for every pixel of a w x h picture: in 64 passes following
// dissolveOrder when dissolve is set, otherwise in one sweep row by row.
using PixelVisit = void (*)(void* context, int x, int y);
void sweepPicture(int width, int height, int dissolve, PixelVisit visit, void* context);

#endif
