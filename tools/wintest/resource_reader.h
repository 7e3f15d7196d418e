// Reading a program's own resources back in its tests: raw bytes, the
// languages a resource is stored in, stored bitmaps and dialog templates.
// Header-only; Windows test programs only.
#ifndef KUBRELSE_RESOURCE_READER_H
#define KUBRELSE_RESOURCE_READER_H

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace resource_reader {

inline HMODULE self() { return GetModuleHandleW(nullptr); }

// The bytes of resource (type, id) in the program itself; empty when absent.
inline std::vector<uint8_t> bytesOf(LPCWSTR type, LPCWSTR name) {
    HRSRC found = FindResourceW(self(), name, type);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(self(), found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    DWORD size = SizeofResource(self(), found);
    if (!data) return {};
    const uint8_t* p = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(p, p + size);
}

inline std::vector<uint8_t> bytesOf(LPCWSTR type, int id) { return bytesOf(type, MAKEINTRESOURCEW(id)); }

inline BOOL CALLBACK collectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param) {
    reinterpret_cast<std::vector<WORD>*>(param)->push_back(language);
    return TRUE;
}

// Every language resource (type, id) is stored in.
inline std::vector<WORD> languagesOf(LPCWSTR type, int id) {
    std::vector<WORD> found;
    EnumResourceLanguagesW(self(), type, MAKEINTRESOURCEW(id), collectLanguage,
                           reinterpret_cast<LONG_PTR>(&found));
    return found;
}

inline uint16_t u16(const std::vector<uint8_t>& b, size_t at) {
    return at + 2 <= b.size() ? uint16_t(b[at] | (b[at + 1] << 8)) : 0;
}
inline uint32_t u32(const std::vector<uint8_t>& b, size_t at) {
    return at + 4 <= b.size() ? uint32_t(u16(b, at)) | (uint32_t(u16(b, at + 2)) << 16) : 0;
}

// A stored device-independent bitmap (header, colour table, pixel rows).
struct StoredBitmap {
    bool valid = false;
    uint32_t headerSize = 0;
    int32_t width = 0, height = 0;  // height as stored: positive for bottom-up rows
    uint16_t planes = 0, bitCount = 0;
    uint32_t compression = 0, coloursUsed = 0;
    size_t paletteEntries = 0;
    std::vector<uint32_t> palette;  // 0xRRGGBB
    std::vector<uint8_t> bytes;

    // The palette index of pixel (x, y), y counted from the top.
    unsigned index(int x, int y) const {
        size_t stride = (size_t(width) * bitCount + 31) / 32 * 4;
        size_t row = size_t(height - 1 - y);
        size_t at = headerSize + paletteEntries * 4 + row * stride;
        if (bitCount == 8) return bytes[at + size_t(x)];
        uint8_t pair = bytes[at + size_t(x) / 2];
        return x % 2 ? pair & 15u : pair >> 4;
    }
    uint32_t colour(int x, int y) const { return palette[index(x, y)]; }
    size_t expectedSize() const {
        return headerSize + paletteEntries * 4 + (size_t(width) * bitCount + 31) / 32 * 4 * size_t(height);
    }
};

inline StoredBitmap parseBitmap(const std::vector<uint8_t>& b) {
    StoredBitmap bmp;
    if (b.size() < 40) return bmp;
    bmp.bytes = b;
    bmp.headerSize = u32(b, 0);
    bmp.width = int32_t(u32(b, 4));
    bmp.height = int32_t(u32(b, 8));
    bmp.planes = u16(b, 12);
    bmp.bitCount = u16(b, 14);
    bmp.compression = u32(b, 16);
    bmp.coloursUsed = u32(b, 32);
    if (bmp.bitCount > 8 || bmp.width <= 0 || bmp.height <= 0) return bmp;
    bmp.paletteEntries = bmp.coloursUsed ? bmp.coloursUsed : (size_t(1) << bmp.bitCount);
    for (size_t i = 0; i < bmp.paletteEntries; ++i) {
        size_t at = bmp.headerSize + i * 4;
        bmp.palette.push_back(uint32_t(b.at(at + 2)) << 16 | uint32_t(b.at(at + 1)) << 8 | b.at(at));
    }
    bmp.valid = b.size() >= bmp.expectedSize();
    return bmp;
}

inline StoredBitmap storedBitmap(int id) {
    return parseBitmap(bytesOf(MAKEINTRESOURCEW(2) /* RT_BITMAP */, id));
}

// A standard (not extended) dialog template, field by field.
struct DialogItem {
    DWORD style = 0, exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    WORD id = 0;
    WORD classOrdinal = 0;  // 0x80 button, 0x82 static, ... ; 0 when named
    std::wstring className;
    WORD textOrdinal = 0;  // resource number when the text is one (icons, bitmaps)
    std::wstring text;
    WORD extraBytes = 0;
};

struct DialogTemplate {
    bool valid = false;
    DWORD style = 0, exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring menu, className, caption, face;
    WORD pointSize = 0;
    std::vector<DialogItem> items;
};

namespace detail {
struct Cursor {
    const std::vector<uint8_t>& b;
    size_t at = 0;
    bool ok = true;
    uint16_t word() {
        if (at + 2 > b.size()) { ok = false; return 0; }
        uint16_t v = u16(b, at);
        at += 2;
        return v;
    }
    uint32_t dword() {
        uint32_t lo = word();
        return lo | (uint32_t(word()) << 16);
    }
    std::wstring text() {
        std::wstring s;
        for (uint16_t c = word(); ok && c; c = word()) s.push_back(wchar_t(c));
        return s;
    }
    // A field that is either 0xFFFF and an ordinal or a text.
    void nameOrOrdinal(WORD& ordinal, std::wstring& name) {
        if (at + 2 <= b.size() && u16(b, at) == 0xFFFF) {
            word();
            ordinal = word();
        } else {
            name = text();
        }
    }
    void alignDword() { at = (at + 3) & ~size_t(3); }
};
}  // namespace detail

inline DialogTemplate parseDialog(const std::vector<uint8_t>& b) {
    DialogTemplate d;
    detail::Cursor c{b};
    d.style = c.dword();
    d.exStyle = c.dword();
    WORD count = c.word();
    d.x = short(c.word());
    d.y = short(c.word());
    d.cx = short(c.word());
    d.cy = short(c.word());
    WORD ordinal = 0;
    c.nameOrOrdinal(ordinal, d.menu);
    c.nameOrOrdinal(ordinal, d.className);
    d.caption = c.text();
    if (d.style & DS_SETFONT) {
        d.pointSize = c.word();
        d.face = c.text();
    }
    for (WORD i = 0; c.ok && i < count; ++i) {
        c.alignDword();
        DialogItem item;
        item.style = c.dword();
        item.exStyle = c.dword();
        item.x = short(c.word());
        item.y = short(c.word());
        item.cx = short(c.word());
        item.cy = short(c.word());
        item.id = c.word();
        c.nameOrOrdinal(item.classOrdinal, item.className);
        c.nameOrOrdinal(item.textOrdinal, item.text);
        item.extraBytes = c.word();
        c.at += item.extraBytes;
        d.items.push_back(item);
    }
    d.valid = c.ok && d.items.size() == count;
    return d;
}

inline std::string narrow(const std::wstring& w) {
    std::string s;
    for (wchar_t ch : w) s.push_back(ch < 128 ? char(ch) : '?');
    return s;
}

}  // namespace resource_reader

#endif
