#include "locked_resource.h"

const void* lockedResource(HINSTANCE instance, UINT id, LPCWSTR type, DWORD* bytes)
{
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), type);
    if (!found)
        return nullptr;
    if (bytes)
        *bytes = SizeofResource(instance, found);
    HGLOBAL loaded = LoadResource(instance, found);
    return loaded ? LockResource(loaded) : nullptr;
}
