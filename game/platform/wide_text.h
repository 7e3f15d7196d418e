// Texts joined in fixed buffers. Plain copies use lstrcpynW, which cuts at
// the buffer's room and always terminates; appending is this one helper.
#ifndef KUBRELSE_PLATFORM_WIDE_TEXT_H
#define KUBRELSE_PLATFORM_WIDE_TEXT_H

#include <windows.h>

// Appends as much of src to the terminated text in dest as fits in room
// characters in all, cutting rather than overrunning. 1 when all of src
// fitted, 0 when it was cut: the launcher's appendText for its ANSI texts
// keeps the same contract.
inline int appendText(wchar_t* dest, int room, const wchar_t* src)
{
    const int used = lstrlenW(dest);
    const int length = src ? lstrlenW(src) : 0;
    if (length > 0 && used < room - 1)
        lstrcpynW(dest + used, src, room - used);
    return used + length < room ? 1 : 0;
}

#endif
