#include "registry_value.h"

namespace {

// What a call does with its key: read it, write it (creating it where there
// is none), or change it as it is.
enum class KeyUse { READ, WRITE, CHANGE };

// use(key) on the key at path below root, opened for the call and closed
// again; on root itself for a null path. The first error met.
template <typename Use>
LONG inKey(HKEY root, const wchar_t* path, KeyUse keyUse, Use use)
{
    if (!path)
        return use(root);
    HKEY key = nullptr;
    LONG result = RegOpenKeyExW(root, path, 0, keyUse == KeyUse::READ ? KEY_QUERY_VALUE : KEY_SET_VALUE, &key);
    if (result != ERROR_SUCCESS && keyUse == KeyUse::WRITE)
        result = RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS)
        return result;
    result = use(key);
    const LONG closed = RegCloseKey(key);
    return result == ERROR_SUCCESS ? closed : result;
}

}  // namespace

LONG readValue(HKEY root, const wchar_t* path, const wchar_t* name, DWORD* type, void* data, DWORD* size)
{
    return inKey(root, path, KeyUse::READ, [&](HKEY key) {
        return RegQueryValueExW(key, name, nullptr, type, static_cast<BYTE*>(data), size);
    });
}

LONG readText(HKEY root, const wchar_t* path, const wchar_t* name, wchar_t* dest, int room)
{
    if (room < 2)
        return ERROR_INVALID_PARAMETER;
    // One character more than the caller's room, for a terminator of our own.
    const int limit = room < REGISTRY_TEXT_ROOM ? room : REGISTRY_TEXT_ROOM;
    wchar_t text[REGISTRY_TEXT_ROOM + 1] = {};
    DWORD size = static_cast<DWORD>(limit * sizeof(wchar_t));
    const LONG result = readValue(root, path, name, nullptr, text, &size);
    if (result != ERROR_SUCCESS)
        return result;
    text[size / sizeof(wchar_t)] = L'\0';
    if (lstrlenW(text) > limit - 1)
        return ERROR_MORE_DATA;
    lstrcpynW(dest, text, limit);
    return ERROR_SUCCESS;
}

LONG writeValue(HKEY root, const wchar_t* path, const wchar_t* name, DWORD type, const void* data, DWORD size)
{
    return inKey(root, path, KeyUse::WRITE, [&](HKEY key) {
        return RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    });
}

LONG writeText(HKEY root, const wchar_t* path, const wchar_t* name, const wchar_t* text)
{
    const DWORD length = static_cast<DWORD>(lstrlenW(text));
    return writeValue(root, path, name, REG_SZ, text, (length + 1) * sizeof(wchar_t));
}

LONG deleteValue(HKEY root, const wchar_t* path, const wchar_t* name)
{
    return inKey(root, path, KeyUse::CHANGE, [&](HKEY key) { return RegDeleteValueW(key, name); });
}
