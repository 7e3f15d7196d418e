// A resource of the program's image, found, loaded and locked in one call.
#ifndef KUBRELSE_PLATFORM_LOCKED_RESOURCE_H
#define KUBRELSE_PLATFORM_LOCKED_RESOURCE_H

#include <windows.h>

// The data of resource id of type in instance, which stays mapped with the
// image; null when there is none. bytes, unless null, gets its size.
const void* lockedResource(HINSTANCE instance, UINT id, LPCWSTR type, DWORD* bytes);

#endif
