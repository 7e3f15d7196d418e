#include "resources.h"

#include <algorithm>
#include <map>

namespace ceimage {

namespace {

const char* const RES = ".res file";

// An ordinal (0xFFFF then the number) or a NUL-terminated UTF-16 string.
ResourceKey readKey(const Bytes& file, size_t& at, size_t end)
{
    ResourceKey key;
    if (getU16(file, at, RES) == 0xFFFF) {
        key.id = getU16(file, at + 2, RES);
        at += 4;
        return key;
    }
    for (uint16_t c; (c = getU16(file, at, RES)) != 0; at += 2)
        key.text.push_back(char16_t(c));
    at += 2;
    if (at > end)
        throw Error("resource header runs past its stated size");
    return key;
}

char16_t upper(char16_t c) { return c >= 'a' && c <= 'z' ? char16_t(c - 'a' + 'A') : c; }

void putKey(Bytes& out, size_t entry, const ResourceKey& key, size_t& strings)
{
    if (!key.named()) {
        setU32(out, entry, key.id);
        return;
    }
    setU32(out, entry, 0x80000000u | uint32_t(strings));
    setU16(out, strings, uint16_t(key.text.size()));
    for (size_t i = 0; i < key.text.size(); ++i)
        setU16(out, strings + 2 + 2 * i, key.text[i]);
    strings += 2 + 2 * key.text.size();
}

size_t stringBytes(const ResourceKey& key) { return key.named() ? 2 + 2 * key.text.size() : 0; }

void putDirectoryHeader(Bytes& out, size_t at, size_t named, size_t ids)
{
    setU16(out, at + 12, uint16_t(named));
    setU16(out, at + 14, uint16_t(ids));
}

template <class Map>
size_t countNamed(const Map& m)
{
    return size_t(std::count_if(m.begin(), m.end(), [](const auto& e) { return e.first.named(); }));
}

}  // namespace

bool resourceKeyLess(const ResourceKey& a, const ResourceKey& b)
{
    if (a.named() != b.named())
        return a.named();
    if (!a.named())
        return a.id < b.id;
    return std::lexicographical_compare(
        a.text.begin(), a.text.end(), b.text.begin(), b.text.end(), [](char16_t x, char16_t y) {
            return upper(x) < upper(y);
        });
}

std::vector<Resource> readRes(const Bytes& file)
{
    // The file opens with an empty entry: no data, 32-byte header, type 0.
    if (file.size() < 32 || getU32(file, 0) != 0 || getU32(file, 4) != 32 || getU32(file, 8) != 0xFFFF)
        throw Error("not a .res file: it does not open with the empty 32-byte entry");
    std::vector<Resource> resources;
    for (size_t at = 32; at < file.size(); at = alignUp(uint32_t(at), 4)) {
        uint32_t dataSize = getU32(file, at, RES), headerSize = getU32(file, at + 4, RES);
        size_t end = at + headerSize;
        if (headerSize < 16 || end + dataSize > file.size())
            throw Error("resource entry at " + hex(uint32_t(at)) + " runs past the end of the .res file");
        size_t p = at + 8;
        Resource r;
        r.type = readKey(file, p, end);
        r.name = readKey(file, p, end);
        p = alignUp(uint32_t(p), 4);
        if (p + 16 > end)
            throw Error("resource header at " + hex(uint32_t(at)) + " is shorter than its fields");
        r.language = getU16(file, p + 6, RES);
        r.data.assign(file.begin() + end, file.begin() + end + dataSize);
        if (r.type.named() || r.type.id != 0)
            resources.push_back(std::move(r));
        at = end + dataSize;
    }
    return resources;
}

Bytes buildResourceSection(const std::vector<Resource>& resources, uint32_t rva)
{
    struct KeyOrder {
        bool operator()(const ResourceKey& a, const ResourceKey& b) const { return resourceKeyLess(a, b); }
    };
    using Languages = std::map<uint16_t, const Resource*>;
    using Names = std::map<ResourceKey, Languages, KeyOrder>;
    std::map<ResourceKey, Names, KeyOrder> types;
    for (const Resource& r : resources) {
        const Resource*& slot = types[r.type][r.name][r.language];
        if (slot)
            throw Error("two resources share one type, name and language");
        slot = &r;
    }

    // Directories (root, then each type's, then each name's), the strings
    // of named entries, the data entries, then the data 8-byte aligned.
    size_t directories = 16 + 8 * types.size(), strings = 0, leaves = 0, data = 0;
    for (const auto& [type, names] : types) {
        directories += 16 + 8 * names.size();
        strings += stringBytes(type);
        for (const auto& [name, languages] : names) {
            directories += 16 + 8 * languages.size();
            strings += stringBytes(name);
            leaves += languages.size();
            for (const auto& language : languages)
                data = alignUp(uint32_t(data), 8) + language.second->data.size();
        }
    }
    size_t stringAt = directories, leafAt = alignUp(uint32_t(directories + strings), 8);
    size_t dataAt = leafAt + 16 * leaves;
    Bytes out(dataAt + data, 0);

    size_t typeDirAt = 16 + 8 * types.size(), nameDirAt = typeDirAt;
    for (const auto& entry : types)
        nameDirAt += 16 + 8 * entry.second.size();
    putDirectoryHeader(out, 0, countNamed(types), types.size() - countNamed(types));
    size_t rootEntry = 16;
    for (const auto& [type, names] : types) {
        putKey(out, rootEntry, type, stringAt);
        setU32(out, rootEntry + 4, 0x80000000u | uint32_t(typeDirAt));
        putDirectoryHeader(out, typeDirAt, countNamed(names), names.size() - countNamed(names));
        size_t typeEntry = typeDirAt + 16;
        for (const auto& [name, languages] : names) {
            putKey(out, typeEntry, name, stringAt);
            setU32(out, typeEntry + 4, 0x80000000u | uint32_t(nameDirAt));
            putDirectoryHeader(out, nameDirAt, 0, languages.size());
            size_t nameEntry = nameDirAt + 16;
            for (const auto& [language, resource] : languages) {
                setU32(out, nameEntry, language);
                setU32(out, nameEntry + 4, uint32_t(leafAt));
                dataAt = alignUp(uint32_t(dataAt), 8);
                setU32(out, leafAt, rva + uint32_t(dataAt));
                setU32(out, leafAt + 4, uint32_t(resource->data.size()));
                std::copy(resource->data.begin(), resource->data.end(), out.begin() + dataAt);
                dataAt += resource->data.size();
                leafAt += 16;
                nameEntry += 8;
            }
            nameDirAt = nameEntry;
            typeEntry += 8;
        }
        typeDirAt += 16 + 8 * names.size();
        rootEntry += 8;
    }
    return out;
}

}  // namespace ceimage
