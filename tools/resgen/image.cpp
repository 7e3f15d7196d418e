#include "image.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

Colour mix(Colour a, Colour b, int t)
{
    auto ch = [t](int x, int y) { return x + (y - x) * t / 256; };
    return rgb(ch(redOf(a), redOf(b)), ch(greenOf(a), greenOf(b)), ch(blueOf(a), blueOf(b)));
}

Colour shade(Colour c, int percent)
{
    auto ch = [percent](int x) { return std::min(255, x * percent / 100); };
    return rgb(ch(redOf(c)), ch(greenOf(c)), ch(blueOf(c)));
}

Image::Image(int w, int h, Colour fillColour) : width(w), height(h), pixels(size_t(w) * size_t(h), fillColour) {}

void Image::set(int x, int y, Colour c)
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return;
    pixels[size_t(y) * size_t(width) + size_t(x)] = c;
}

void Image::fill(int x, int y, int w, int h, Colour c)
{
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            set(i, j, c);
}

void Image::frame(int x, int y, int w, int h, Colour c)
{
    hline(x, x + w - 1, y, c);
    hline(x, x + w - 1, y + h - 1, c);
    vline(x, y, y + h - 1, c);
    vline(x + w - 1, y, y + h - 1, c);
}

void Image::hline(int x0, int x1, int y, Colour c)
{
    for (int x = x0; x <= x1; ++x)
        set(x, y, c);
}

void Image::vline(int x, int y0, int y1, Colour c)
{
    for (int y = y0; y <= y1; ++y)
        set(x, y, c);
}

void Image::line(int x0, int y0, int x1, int y1, Colour c)
{
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        set(x0, y0, c);
        if (x0 == x1 && y0 == y1)
            break;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Image::disc(int cx, int cy, int r, Colour c)
{
    for (int y = -r; y <= r; ++y)
        for (int x = -r; x <= r; ++x)
            if (x * x + y * y <= r * r + r)
                set(cx + x, cy + y, c);
}

void Image::ring(int cx, int cy, int r, Colour c)
{
    for (int y = -r; y <= r; ++y)
        for (int x = -r; x <= r; ++x) {
            int d = x * x + y * y;
            if (d <= r * r + r && d > (r - 1) * (r - 1) + (r - 1))
                set(cx + x, cy + y, c);
        }
}

void Image::blit(const Image& src, int x, int y)
{
    for (int j = 0; j < src.height; ++j)
        for (int i = 0; i < src.width; ++i) {
            Colour c = src.at(i, j);
            if (c != TRANSPARENT)
                set(x + i, y + j, c);
        }
}

static int brightness(Colour c) { return redOf(c) * 299 + greenOf(c) * 587 + blueOf(c) * 114; }

static void mapPixels(const Image& img, const std::vector<Colour>& palette, IndexedImage& out)
{
    std::map<Colour, uint8_t> slot;
    for (size_t i = 0; i < palette.size(); ++i)
        slot.emplace(palette[i], uint8_t(i));
    out.width = img.width;
    out.height = img.height;
    out.palette = palette;
    out.indices.assign(img.pixels.size(), 0);
    out.transparent.assign(img.pixels.size(), 0);
    for (size_t i = 0; i < img.pixels.size(); ++i) {
        if (img.pixels[i] == TRANSPARENT) {
            out.transparent[i] = 1;
            continue;  // index 0, which the writers keep black
        }
        out.indices[i] = slot.at(img.pixels[i]);
    }
}

bool indexColours(const Image& img, size_t maxColours, IndexedImage& out, std::string& error)
{
    std::vector<Colour> used;
    for (Colour c : img.pixels)
        if (c != TRANSPARENT)
            used.push_back(c);
    used.push_back(0);  // black always has a slot: it is what transparent pixels store
    std::sort(used.begin(), used.end());
    used.erase(std::unique(used.begin(), used.end()), used.end());
    if (used.size() > maxColours) {
        char text[96];
        std::snprintf(text, sizeof text, "%zu colours, at most %zu allowed", used.size(), maxColours);
        error = text;
        return false;
    }
    std::stable_sort(used.begin(), used.end(), [](Colour a, Colour b) { return brightness(a) < brightness(b); });
    mapPixels(img, used, out);
    return true;
}

bool indexToPalette(const Image& img, const std::vector<Colour>& palette, IndexedImage& out, std::string& error)
{
    for (Colour c : img.pixels) {
        if (c == TRANSPARENT)
            continue;
        if (std::find(palette.begin(), palette.end(), c) == palette.end()) {
            char text[64];
            std::snprintf(text, sizeof text, "colour %06X is not in the palette", unsigned(c));
            error = text;
            return false;
        }
    }
    mapPixels(img, palette, out);
    return true;
}
