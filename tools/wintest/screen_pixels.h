// What a window shows, read back as pixels: what its procedure prints, what
// the screen shows of it, a picture with every pixel made a block, and
// how far the screen shows a picture so.
// Header-only; Windows test programs only.
#ifndef KUBRELSE_SCREEN_PIXELS_H
#define KUBRELSE_SCREEN_PIXELS_H

#include <windows.h>

#include <cstdint>

#include "resource_reader.h"

namespace wintest {

// 0xRRGGBB pixels, top row first.
using Pixels = resource_reader::Pixels;

// Lets draw paint into a width x height memory picture and reads it back.
template <typename Draw>
Pixels capture(int width, int height, Draw draw)
{
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP dib = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ kept = SelectObject(memory, dib);
    draw(memory);
    GdiFlush();
    Pixels picture{width, height, {}};
    for (int i = 0; bits && i < width * height; ++i)
        picture.rgb.push_back(static_cast<const uint32_t*>(bits)[i] & 0xFFFFFF);
    SelectObject(memory, kept);
    DeleteObject(dib);
    DeleteDC(memory);
    return picture;
}

// What window's procedure draws for WM_PRINTCLIENT into width x height.
inline Pixels printedClient(HWND window, int width, int height)
{
    return capture(width, height, [window](HDC memory) {
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    });
}

// What the screen shows of the width x height at the top left of window's
// client area; of the whole client area without a size.
inline Pixels screenPixels(HWND window, int width = 0, int height = 0)
{
    RECT client = {};
    GetClientRect(window, &client);
    width = width ? width : client.right;
    height = height ? height : client.bottom;
    return capture(width, height, [window, width, height](HDC memory) {
        HDC screen = GetDC(window);
        BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
        ReleaseDC(window, screen);
    });
}

// Every pixel of picture as a zoom x zoom block.
inline Pixels zoomedBy(const Pixels& picture, int zoom)
{
    Pixels big{picture.width * zoom, picture.height * zoom, {}};
    for (int y = 0; y < big.height; ++y)
        for (int x = 0; x < big.width; ++x)
            big.rgb.push_back(picture.at(x / zoom, y / zoom));
    return big;
}

// How many pixels of printed the screen picture does not show as a uniform
// zoom x zoom block of that pixel.
inline int pixelsNotInBlocks(const Pixels& screen, const Pixels& printed, int zoom)
{
    int wrong = 0;
    for (int y = 0; y < printed.height; ++y)
        for (int x = 0; x < printed.width; ++x) {
            bool uniform = true;
            for (int dy = 0; dy < zoom && uniform; ++dy)
                for (int dx = 0; dx < zoom && uniform; ++dx)
                    uniform = screen.at(x * zoom + dx, y * zoom + dy) == printed.at(x, y);
            wrong += uniform ? 0 : 1;
        }
    return wrong;
}

}  // namespace wintest

#endif
