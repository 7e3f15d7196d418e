// The handset's screen zoomed, as plain pixel buffers: no window, no GDI,
// so it is built and tested on every platform.
#ifndef KUBRELSE_SHELL_DESKTOP_ZOOM_PIXELS_H
#define KUBRELSE_SHELL_DESKTOP_ZOOM_PIXELS_H

#include <cstdint>

// Three buffers of 32-bit pixels, top row first: the 176 x 180 frame, the
// frame as the zoomed frame last showed it, and the zoomed frame, zoom times
// as wide and as tall.
struct ZoomBuffers {
    const uint32_t* frame;
    uint32_t* shown;
    uint32_t* zoomed;
    int zoom;
};

// Brings the part [left, right) x [top, bottom) of the frame (clipped to it)
// up to date in the zoomed frame: in each row the pixels from the first to
// the last that differ from what is shown are written anew, each as a block
// of zoom x zoom; the rest is not touched. Most of a frame is the same from
// one paint to the next, and the window system's own stretching is several
// times slower. Returns the number of frame pixels written.
int zoomFramePart(const ZoomBuffers& buffers, int left, int top, int right, int bottom);

#endif
