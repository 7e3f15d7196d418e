#include "zoom_pixels.h"

#include <cstddef>
#include <cstring>

#include "handset_screen.h"

namespace {

int within(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

// Row y's pixels first..last (inclusive) as blocks: the block's first row
// pixel by pixel, the others copied from it.
void zoomRun(const ZoomBuffers& b, int y, int first, int last)
{
    const int z = b.zoom;
    const size_t width = static_cast<size_t>(SCREEN_WIDTH) * z;
    const uint32_t* from = b.frame + static_cast<size_t>(y) * SCREEN_WIDTH;
    uint32_t* row = b.zoomed + static_cast<size_t>(y) * z * width + static_cast<size_t>(first) * z;
    uint32_t* to = row;
    for (int x = first; x <= last; ++x)
        for (int i = 0; i < z; ++i)
            *to++ = from[x];
    const size_t bytes = static_cast<size_t>(last + 1 - first) * z * sizeof(uint32_t);
    for (int i = 1; i < z; ++i)
        std::memcpy(row + i * width, row, bytes);
    std::memcpy(b.shown + static_cast<size_t>(y) * SCREEN_WIDTH + first, from + first, bytes / z);
}

}  // namespace

int zoomFramePart(const ZoomBuffers& b, int left, int top, int right, int bottom)
{
    if (!b.frame || !b.shown || !b.zoomed || b.zoom < 1)
        return 0;
    left = within(left, 0, SCREEN_WIDTH);
    right = within(right, left, SCREEN_WIDTH);
    top = within(top, 0, SCREEN_HEIGHT);
    bottom = within(bottom, top, SCREEN_HEIGHT);
    int written = 0;
    for (int y = top; y < bottom && left < right; ++y) {
        const uint32_t* from = b.frame + static_cast<size_t>(y) * SCREEN_WIDTH;
        const uint32_t* shown = b.shown + static_cast<size_t>(y) * SCREEN_WIDTH;
        int first = left;
        int last = right - 1;
        if (!std::memcmp(from + first, shown + first, static_cast<size_t>(last + 1 - first) * sizeof(uint32_t)))
            continue;
        while (from[first] == shown[first])
            ++first;
        while (from[last] == shown[last])
            --last;
        zoomRun(b, y, first, last);
        written += last + 1 - first;
    }
    return written;
}
