#include "file_formats.h"

#include <cstdio>
#include <cstring>

#include <zlib.h>

void putU16(Bytes& b, unsigned v)
{
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}

void putU32(Bytes& b, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(uint8_t(v >> (8 * i)));
}

void putTag(Bytes& b, const char* fourCC) { b.insert(b.end(), fourCC, fourCC + 4); }

uint16_t getU16(const Bytes& b, size_t at) { return uint16_t(b.at(at) | (b.at(at + 1) << 8)); }

uint32_t getU32(const Bytes& b, size_t at)
{
    return uint32_t(b.at(at)) | (uint32_t(b.at(at + 1)) << 8) | (uint32_t(b.at(at + 2)) << 16) |
           (uint32_t(b.at(at + 3)) << 24);
}

size_t dibStride(int width, int bitsPerPixel) { return (size_t(width) * size_t(bitsPerPixel) + 31) / 32 * 4; }

static void putInfoHeader(Bytes& b, int width, int height, int bitsPerPixel, uint32_t imageSize, uint32_t coloursUsed)
{
    putU32(b, 40);
    putU32(b, uint32_t(width));
    putU32(b, uint32_t(height));
    putU16(b, 1);  // planes
    putU16(b, unsigned(bitsPerPixel));
    putU32(b, 0);  // BI_RGB
    putU32(b, imageSize);
    putU32(b, 2835);  // 72 dpi
    putU32(b, 2835);
    putU32(b, coloursUsed);
    putU32(b, 0);
}

static void putColourTable(Bytes& b, const IndexedImage& img, size_t entries)
{
    for (size_t i = 0; i < entries; ++i) {
        Colour c = i < img.palette.size() ? img.palette[i] : 0;
        b.push_back(uint8_t(blueOf(c)));
        b.push_back(uint8_t(greenOf(c)));
        b.push_back(uint8_t(redOf(c)));
        b.push_back(0);
    }
}

// Rows bottom-up, each padded to the stride.
static void putPixelRows(Bytes& b, const IndexedImage& img, int bitsPerPixel)
{
    size_t stride = dibStride(img.width, bitsPerPixel);
    for (int y = img.height - 1; y >= 0; --y) {
        Bytes row(stride, 0);
        for (int x = 0; x < img.width; ++x) {
            uint8_t v = img.indices[size_t(y) * size_t(img.width) + size_t(x)];
            if (bitsPerPixel == 8)
                row[size_t(x)] = v;
            else
                row[size_t(x) / 2] |= uint8_t((x % 2 == 0) ? (v & 15) << 4 : (v & 15));
        }
        b.insert(b.end(), row.begin(), row.end());
    }
}

Bytes dibImage(const IndexedImage& img, int bitsPerPixel)
{
    size_t entries = size_t(1) << bitsPerPixel;
    uint32_t imageSize = uint32_t(dibStride(img.width, bitsPerPixel) * size_t(img.height));
    Bytes b;
    putInfoHeader(b, img.width, img.height, bitsPerPixel, imageSize, uint32_t(entries));
    putColourTable(b, img, entries);
    putPixelRows(b, img, bitsPerPixel);
    return b;
}

Bytes bmpFile(const IndexedImage& img, int bitsPerPixel)
{
    Bytes dib = dibImage(img, bitsPerPixel);
    size_t entries = size_t(1) << bitsPerPixel;
    Bytes b;
    b.push_back('B');
    b.push_back('M');
    putU32(b, uint32_t(14 + dib.size()));
    putU32(b, 0);
    putU32(b, uint32_t(14 + 40 + entries * 4));
    b.insert(b.end(), dib.begin(), dib.end());
    return b;
}

Bytes trueColourBmpFile(const Image& img)
{
    const size_t stride = dibStride(img.width, 24);
    const uint32_t imageSize = uint32_t(stride * size_t(img.height));
    Bytes b;
    b.push_back('B');
    b.push_back('M');
    putU32(b, 14 + 40 + imageSize);
    putU32(b, 0);
    putU32(b, 14 + 40);
    putInfoHeader(b, img.width, img.height, 24, imageSize, 0);
    for (int y = img.height - 1; y >= 0; --y) {
        Bytes row(stride, 0);
        for (int x = 0; x < img.width; ++x) {
            const Colour c = img.at(x, y);
            row[size_t(x) * 3] = uint8_t(blueOf(c));
            row[size_t(x) * 3 + 1] = uint8_t(greenOf(c));
            row[size_t(x) * 3 + 2] = uint8_t(redOf(c));
        }
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

Bytes iconImage(const IndexedImage& img, int bitsPerPixel)
{
    size_t entries = size_t(1) << bitsPerPixel;
    size_t xorSize = dibStride(img.width, bitsPerPixel) * size_t(img.height);
    size_t andStride = dibStride(img.width, 1);
    size_t andSize = andStride * size_t(img.height);
    Bytes b;
    putInfoHeader(b, img.width, img.height * 2, bitsPerPixel, uint32_t(xorSize + andSize), 0);
    putColourTable(b, img, entries);
    putPixelRows(b, img, bitsPerPixel);
    for (int y = img.height - 1; y >= 0; --y) {
        Bytes row(andStride, 0);
        for (int x = 0; x < img.width; ++x)
            if (img.transparent[size_t(y) * size_t(img.width) + size_t(x)])
                row[size_t(x) / 8] |= uint8_t(0x80 >> (x % 8));
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

Bytes icoFile(const std::vector<IconEntry>& entries)
{
    Bytes b;
    putU16(b, 0);
    putU16(b, 1);  // icon
    putU16(b, unsigned(entries.size()));
    uint32_t offset = uint32_t(6 + 16 * entries.size());
    for (const IconEntry& e : entries) {
        b.push_back(uint8_t(e.width));
        b.push_back(uint8_t(e.height));
        b.push_back(uint8_t(e.bitsPerPixel >= 8 ? 0 : 1 << e.bitsPerPixel));
        b.push_back(0);
        putU16(b, 1);
        putU16(b, unsigned(e.bitsPerPixel));
        putU32(b, uint32_t(e.image.size()));
        putU32(b, offset);
        offset += uint32_t(e.image.size());
    }
    for (const IconEntry& e : entries)
        b.insert(b.end(), e.image.begin(), e.image.end());
    return b;
}

static void putPngChunk(Bytes& b, const char* type, const Bytes& data)
{
    uint32_t n = uint32_t(data.size());
    for (int i = 3; i >= 0; --i)
        b.push_back(uint8_t(n >> (8 * i)));
    size_t start = b.size();
    putTag(b, type);
    b.insert(b.end(), data.begin(), data.end());
    uLong crc = crc32(0L, b.data() + start, uInt(b.size() - start));
    for (int i = 3; i >= 0; --i)
        b.push_back(uint8_t(crc >> (8 * i)));
}

Bytes pngFile(const Image& img)
{
    Bytes raw;
    raw.reserve(size_t(img.height) * (size_t(img.width) * 3 + 1));
    for (int y = 0; y < img.height; ++y) {
        raw.push_back(0);  // no filter
        for (int x = 0; x < img.width; ++x) {
            Colour c = img.at(x, y) == TRANSPARENT ? rgb(255, 0, 255) : img.at(x, y);
            raw.push_back(uint8_t(redOf(c)));
            raw.push_back(uint8_t(greenOf(c)));
            raw.push_back(uint8_t(blueOf(c)));
        }
    }
    uLongf packedSize = compressBound(uLong(raw.size()));
    Bytes packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), 9) != Z_OK)
        return {};
    packed.resize(packedSize);

    Bytes header;
    for (int v : {img.width, img.height})
        for (int i = 3; i >= 0; --i)
            header.push_back(uint8_t(uint32_t(v) >> (8 * i)));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlace

    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes b(signature, signature + 8);
    putPngChunk(b, "IHDR", header);
    putPngChunk(b, "IDAT", packed);
    putPngChunk(b, "IEND", {});
    return b;
}

bool writeFile(const std::string& path, const Bytes& bytes)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "resgen: cannot write %s\n", path.c_str());
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fclose(f) == 0 && ok;
    if (!ok)
        std::fprintf(stderr, "resgen: writing %s failed\n", path.c_str());
    return ok;
}
