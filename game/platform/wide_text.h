// Texts joined in fixed buffers. Plain copies use lstrcpynW, which cuts at
// the buffer's room and always terminates; appending is this one helper.
#ifndef KUBRELSE_PLATFORM_WIDE_TEXT_H
#define KUBRELSE_PLATFORM_WIDE_TEXT_H

#include <windows.h>

// Appends src to the terminated text in dest (room characters in all),
// cutting rather than overrunning.
inline void appendText(wchar_t* dest, int room, const wchar_t* src)
{
    const int used = lstrlenW(dest);
    if (src && used < room - 1)
        lstrcpynW(dest + used, src, room - used);
}

#endif
