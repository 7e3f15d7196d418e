// A small true-colour canvas for drawing the programs' pictures, and the
// conversion to the palette-indexed form the bitmap and icon files store.
#ifndef RESGEN_IMAGE_H
#define RESGEN_IMAGE_H

#include <cstdint>
#include <string>
#include <vector>

// 0xRRGGBB; TRANSPARENT marks icon pixels that show the desktop through.
using Colour = uint32_t;
constexpr Colour TRANSPARENT = 0x01000000u;

constexpr Colour rgb(int r, int g, int b) { return (Colour(r & 255) << 16) | (Colour(g & 255) << 8) | Colour(b & 255); }
inline int redOf(Colour c) { return int((c >> 16) & 255); }
inline int greenOf(Colour c) { return int((c >> 8) & 255); }
inline int blueOf(Colour c) { return int(c & 255); }

// Mixes a and b: t = 0 gives a, t = 256 gives b.
Colour mix(Colour a, Colour b, int t);
// Scales each channel by percent/100, clamped to 255.
Colour shade(Colour c, int percent);

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Colour> pixels;  // row-major, top row first

    Image() = default;
    Image(int w, int h, Colour fill = 0);
    Colour at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    void set(int x, int y, Colour c);  // ignores points outside
    void fill(int x, int y, int w, int h, Colour c);
    void frame(int x, int y, int w, int h, Colour c);  // one-pixel outline
    void hline(int x0, int x1, int y, Colour c);
    void vline(int x, int y0, int y1, Colour c);
    void line(int x0, int y0, int x1, int y1, Colour c);
    void disc(int cx, int cy, int r, Colour c);
    void ring(int cx, int cy, int r, Colour c);
    void blit(const Image& src, int x, int y);  // transparent source pixels skipped
};

// The picture as palette indices: at most maxColours distinct colours, the
// palette sorted by brightness with black (when present) first. Returns false
// when the picture has more colours than allowed.
struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<Colour> palette;       // used colours only
    std::vector<uint8_t> indices;      // row-major, top row first
    std::vector<uint8_t> transparent;  // 1 where the source was TRANSPARENT
};
bool indexColours(const Image& img, size_t maxColours, IndexedImage& out, std::string& error);

// Same, but against a fixed palette: every colour must be one of it.
bool indexToPalette(const Image& img, const std::vector<Colour>& palette, IndexedImage& out, std::string& error);

#endif
