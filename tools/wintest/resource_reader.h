// Reading a program's own resources back in its tests: raw bytes, the
// languages everything is stored in, and bitmaps as pixels. Header-only;
// Windows test programs only.
#ifndef KUBRELSE_RESOURCE_READER_H
#define KUBRELSE_RESOURCE_READER_H

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace resource_reader {

inline HMODULE self() { return GetModuleHandleW(nullptr); }

// The bytes of resource (type, id) in the program itself, or in another
// module; empty when absent.
inline std::vector<uint8_t> bytesOf(LPCWSTR type, int id, HMODULE module = self())
{
    HRSRC found = module ? FindResourceW(module, MAKEINTRESOURCEW(id), type) : nullptr;
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const uint8_t* data = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
    return data ? std::vector<uint8_t>(data, data + SizeofResource(module, found)) : std::vector<uint8_t>();
}

inline uint32_t u32(const std::vector<uint8_t>& b, size_t at)
{
    return at + 4 <= b.size() ? uint32_t(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24) : 0;
}

// The application manifest (RT_MANIFEST 1) of the program at path, read
// without running it; empty when absent.
inline std::string manifestOf(const std::string& path)
{
    HMODULE file = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const std::vector<uint8_t> bytes = bytesOf(MAKEINTRESOURCEW(24), 1, file);
    if (file)
        FreeLibrary(file);
    return std::string(bytes.begin(), bytes.end());
}

// The version resource of the program at path: its fixed file version as
// "a.b.c.d" under "(file)", and its US English Unicode texts by name.
inline std::map<std::string, std::string> versionOf(const std::string& path)
{
    std::map<std::string, std::string> found;
    DWORD ignored = 0;
    std::vector<uint8_t> block(GetFileVersionInfoSizeA(path.c_str(), &ignored));
    if (block.empty() || !GetFileVersionInfoA(path.c_str(), 0, DWORD(block.size()), block.data()))
        return found;
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueA(block.data(), "\\", &value, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
        const VS_FIXEDFILEINFO* fixed = static_cast<VS_FIXEDFILEINFO*>(value);
        char dotted[32];
        snprintf(dotted,
                 sizeof dotted,
                 "%u.%u.%u.%u",
                 HIWORD(fixed->dwFileVersionMS),
                 LOWORD(fixed->dwFileVersionMS),
                 HIWORD(fixed->dwFileVersionLS),
                 LOWORD(fixed->dwFileVersionLS));
        found["(file)"] = dotted;
    }
    const char* const names[] = {"CompanyName",
                                 "FileDescription",
                                 "FileVersion",
                                 "LegalCopyright",
                                 "OriginalFilename",
                                 "ProductName",
                                 "ProductVersion"};
    for (const char* name : names)
        if (VerQueryValueA(block.data(), (std::string("\\StringFileInfo\\040904B0\\") + name).c_str(), &value, &length))
            found[name] = static_cast<const char*>(value);
    return found;
}

// Every resource of the program as "type:id", by language.
using ByLanguage = std::map<WORD, std::vector<std::wstring>>;
inline BOOL CALLBACK onLanguage(HMODULE, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR found)
{
    (*reinterpret_cast<ByLanguage*>(found))[language].push_back(
        (IS_INTRESOURCE(type) ? std::to_wstring(uintptr_t(type)) : type) + L":" + std::to_wstring(uintptr_t(name)));
    return TRUE;
}
inline BOOL CALLBACK onName(HMODULE m, LPCWSTR type, LPWSTR name, LONG_PTR found)
{
    return EnumResourceLanguagesW(m, type, name, onLanguage, found);
}
inline BOOL CALLBACK onType(HMODULE m, LPWSTR type, LONG_PTR found)
{
    return EnumResourceNamesW(m, type, onName, found);
}
inline ByLanguage resourcesByLanguage()
{
    ByLanguage found;
    EnumResourceTypesW(self(), onType, reinterpret_cast<LONG_PTR>(&found));
    return found;
}

// A bitmap resource as 0xRRGGBB pixels, top row first; 0 x 0 when absent.
struct Pixels {
    int width = 0, height = 0;
    std::vector<uint32_t> rgb;
    uint32_t at(int x, int y) const { return rgb[size_t(y * width + x)]; }
};

inline Pixels pixelsOf(int id)
{
    Pixels p;
    HBITMAP bitmap =
        static_cast<HBITMAP>(LoadImageW(self(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info))
        return p;
    BITMAPINFO want{};
    want.bmiHeader = {sizeof want.bmiHeader, info.bmWidth, -info.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    p.rgb.resize(size_t(info.bmWidth * info.bmHeight));
    HDC dc = CreateCompatibleDC(nullptr);
    if (GetDIBits(dc, bitmap, 0, UINT(info.bmHeight), p.rgb.data(), &want, DIB_RGB_COLORS) == info.bmHeight) {
        p.width = info.bmWidth;
        p.height = info.bmHeight;
    }
    DeleteDC(dc);
    DeleteObject(bitmap);
    for (uint32_t& v : p.rgb)
        v &= 0xFFFFFF;
    return p;
}

}  // namespace resource_reader

#endif
