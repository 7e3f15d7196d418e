// Bitmaps of 32-bit pixels, top row first, that code can write directly,
// and memory contexts holding them. The game composes its frame in one; the
// desktop handset layer zooms the frame through two.
#ifndef KUBRELSE_PLATFORM_PIXEL_CONTEXT_H
#define KUBRELSE_PLATFORM_PIXEL_CONTEXT_H

#include <windows.h>

#include <cstdint>

// A width x height DIB section of 32-bit pixels, top row first, with its
// pixels in *pixels; null, and *pixels null, when it cannot be made.
HBITMAP makePixelBitmap(int width, int height, void** pixels);

// A memory context holding a bitmap of 32-bit pixels, top row first.
struct PixelContext {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ replaced;  // what the context held before, for giving back
    uint32_t* pixels;
};
// Makes a context over a new width x height bitmap: 1 when made; 0, with
// nothing left behind, when either cannot be made.
int makePixelContext(PixelContext* made, int width, int height);
// Gives the context back what it held, deletes both, empties the record.
void releasePixelContext(PixelContext* context);

#endif
