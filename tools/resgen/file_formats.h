// Byte layouts of the files the resource scripts include: Windows bitmaps
// (8 and 4 bits per pixel, and 24 for a test's picture) and icons (RIFF
// WAVE images: wave.h); and PNG for review.
#ifndef RESGEN_FILE_FORMATS_H
#define RESGEN_FILE_FORMATS_H

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

using Bytes = std::vector<uint8_t>;

void putU16(Bytes& b, unsigned v);
void putU32(Bytes& b, uint32_t v);
void putTag(Bytes& b, const char* fourCC);
uint16_t getU16(const Bytes& b, size_t at);
uint32_t getU32(const Bytes& b, size_t at);

// Row stride of a bottom-up DIB: bits per row rounded up to whole 32-bit words.
size_t dibStride(int width, int bitsPerPixel);

// A BITMAPINFOHEADER, the colour table and the rows, without the file header:
// exactly what a bitmap resource holds. bitsPerPixel is 8 (256 palette
// entries, unused ones black) or 4 (16 entries).
Bytes dibImage(const IndexedImage& img, int bitsPerPixel);

// A .bmp file: the 14-byte file header, then dibImage.
Bytes bmpFile(const IndexedImage& img, int bitsPerPixel);

// A .bmp file of 24 bits per pixel, no colour table: each pixel stored as
// its blue, green and red bytes.
Bytes trueColourBmpFile(const Image& img);

// One icon image: header with doubled height, colour table, XOR rows, AND
// mask (1 = transparent). bitsPerPixel 4 or 8.
Bytes iconImage(const IndexedImage& img, int bitsPerPixel);

// A .ico file holding the given images, in that order.
struct IconEntry {
    int width;
    int height;
    int bitsPerPixel;
    Bytes image;
};
Bytes icoFile(const std::vector<IconEntry>& entries);

// A PNG file of the picture, 8-bit RGB, for people to look at.
Bytes pngFile(const Image& img);

bool writeFile(const std::string& path, const Bytes& bytes);

#endif
