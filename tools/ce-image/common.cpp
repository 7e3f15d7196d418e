#include "common.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace ceimage {

static void need(const Bytes& b, size_t at, size_t n, const char* what)
{
    if (at > b.size() || b.size() - at < n)
        throw Error(std::string(what) + " is truncated (reading " + std::to_string(n) + " bytes at offset " +
                    hex(uint32_t(at)) + ")");
}

uint16_t getU16(const Bytes& b, size_t at, const char* what)
{
    need(b, at, 2, what);
    return uint16_t(b[at] | b[at + 1] << 8);
}

uint32_t getU32(const Bytes& b, size_t at, const char* what)
{
    need(b, at, 4, what);
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

void setU16(Bytes& b, size_t at, uint16_t v)
{
    b.at(at + 1) = uint8_t(v >> 8);
    b[at] = uint8_t(v);
}

void setU32(Bytes& b, size_t at, uint32_t v)
{
    b.at(at + 3) = uint8_t(v >> 24);
    for (int i = 0; i < 3; ++i)
        b[at + i] = uint8_t(v >> (8 * i));
}

void appendU16(Bytes& b, uint16_t v)
{
    b.resize(b.size() + 2);
    setU16(b, b.size() - 2, v);
}

void appendU32(Bytes& b, uint32_t v)
{
    b.resize(b.size() + 4);
    setU32(b, b.size() - 4, v);
}

std::string hex(uint32_t v)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", unsigned(v));
    return text;
}

Bytes readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw Error("cannot open " + path);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const Bytes& data)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
    if (!out.flush())
        throw Error("cannot write " + path);
}

}  // namespace ceimage
