// The paint of a hosted picture at a zoom above 1: the window prints its
// 176 x 180 frame, and every frame pixel is shown as a block of zoom x zoom.
#include <cstring>

#include "layer.h"
#include "pixel_context.h"
#include "zoom_pixels.h"

namespace {

// The frame the hosted window prints into, the frame zoom times as large,
// and the frame as the zoomed one shows it (a new zoomed frame is black,
// and so is this then).
PixelContext printed;
PixelContext zoomedFrame;
int zoomedAt;
uint32_t shownFrame[SCREEN_WIDTH * SCREEN_HEIGHT];

// 1 when both frames are ready for zoom z (the zoomed one made anew for
// another zoom).
int keepFrames(int z)
{
    if (!printed.dc && !makePixelContext(&printed, SCREEN_WIDTH, SCREEN_HEIGHT))
        return 0;
    if (zoomedFrame.dc && zoomedAt == z)
        return 1;
    releasePixelContext(&zoomedFrame);
    if (!makePixelContext(&zoomedFrame, SCREEN_WIDTH * z, SCREEN_HEIGHT * z))
        return 0;
    zoomedAt = z;
    std::memset(shownFrame, 0, sizeof shownFrame);
    return 1;
}

int contains(const RECT& outer, const RECT& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

RECT zoomed(const RECT& r, int z) { return RECT{r.left * z, r.top * z, r.right * z, r.bottom * z}; }

// The parts of the frame an update rectangle names: taken both as frame
// pixels (what the game invalidates) and as screen pixels (what the desktop
// uncovers), the one dropped that lies within the other.
void framePartsOf(const RECT& update, int z, RECT parts[2])
{
    const RECT whole = {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
    const RECT asScreen = {update.left / z, update.top / z, (update.right + z - 1) / z, (update.bottom + z - 1) / z};
    IntersectRect(&parts[0], &update, &whole);
    IntersectRect(&parts[1], &asScreen, &whole);
    if (contains(parts[1], parts[0]))
        SetRectEmpty(&parts[0]);
    else if (contains(parts[0], parts[1]))
        SetRectEmpty(&parts[1]);
}

// Each part of the frame is shown whole; where its blocks reach beyond the
// paint's own context, they are drawn through a context of the whole window.
void drawParts(HWND window, HDC paintDC, const RECT parts[2], int z)
{
    RECT clip;
    int inside = GetClipBox(paintDC, &clip) == SIMPLEREGION;
    for (int i = 0; i < 2; ++i)
        inside = inside && (IsRectEmpty(&parts[i]) || contains(clip, zoomed(parts[i], z)));
    HDC target = inside ? paintDC : GetDC(window);
    const ZoomBuffers buffers = {printed.pixels, shownFrame, zoomedFrame.pixels, z};
    for (int i = 0; i < 2; ++i) {
        const RECT& part = parts[i];
        if (IsRectEmpty(&part))
            continue;
        zoomFramePart(buffers, part.left, part.top, part.right, part.bottom);
        const RECT shown = zoomed(part, z);
        if (target)
            BitBlt(target,
                   shown.left,
                   shown.top,
                   shown.right - shown.left,
                   shown.bottom - shown.top,
                   zoomedFrame.dc,
                   shown.left,
                   shown.top,
                   SRCCOPY);
    }
    if (target && target != paintDC)
        ReleaseDC(window, target);
}

}  // namespace

void paintZoomed(const Host* host, int z)
{
    HWND window = host->window;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (dc && keepFrames(z)) {
        RECT parts[2];
        framePartsOf(ps.rcPaint, z, parts);
        CallWindowProcW(host->own, window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.dc), PRF_CLIENT);
        drawParts(window, dc, parts, z);
    }
    EndPaint(window, &ps);
}

void releaseZoomedPaint()
{
    releasePixelContext(&printed);
    releasePixelContext(&zoomedFrame);
    zoomedAt = 0;
}
