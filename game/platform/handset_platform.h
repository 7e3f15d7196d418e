// What the handset's own platform headers say differently from the desktop
// headers the handset build compiles with: calls its headers define as
// macros over other exports, and the exports behind them. In the handset
// build, the target kubrelse_handset_spellings (CMakeLists.txt beside this
// file) includes it ahead of every source of the platform's side and of
// the game's shell, so the game's code stays written once and the handset
// image imports only what the handset's core library exports
// (game/shell/handset_calls.txt). The engine includes no platform header.
#ifndef KUBRELSE_PLATFORM_HANDSET_PLATFORM_H
#define KUBRELSE_PLATFORM_HANDSET_PLATFORM_H

#include <windows.h>
#include <wchar.h>

// The core library's one event call; SetEvent, ResetEvent and PulseEvent
// are this call with a code.
constexpr DWORD EVENT_SET = 3;
extern "C" BOOL WINAPI EventModify(HANDLE event, DWORD code);
#undef SetEvent
#define SetEvent(event) EventModify((event), EVENT_SET)

// A loaded resource's handle is the resource's address.
#undef LockResource
#define LockResource(resource) (static_cast<LPVOID>(resource))

// The wide-text calls the core library does not export: the C library's
// length, and a bounded copy that always ends the text, as lstrcpynW does
// (the C library's wcsncpy would leave a cut text unterminated).
#undef lstrlenW
#define lstrlenW(text) static_cast<int>(wcslen(text))
inline LPWSTR handsetCopyText(LPWSTR to, LPCWSTR from, int room)
{
    if (room <= 0)
        return to;
    int i = 0;
    for (; i < room - 1 && from[i]; ++i)
        to[i] = from[i];
    to[i] = L'\0';
    return to;
}
#undef lstrcpynW
#define lstrcpynW handsetCopyText

#endif
