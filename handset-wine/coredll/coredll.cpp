// What the handset's core library does that no export of Wine's DLLs does
// under the same name; the rest of coredll.dll hands each call on to the
// DLL of Wine that answers it (forwards.txt). The handset's C library's
// rand and srand are its classic generator, the very one the replay of the
// engine links (game/engine/replay/handset_rand.cpp, built into this DLL
// too), so the image draws the pieces the handset would draw for a seed.
#include <windows.h>

namespace {

// The codes of EventModify: the handset's headers spell SetEvent,
// ResetEvent and PulseEvent as calls of it.
constexpr DWORD EVENT_PULSE = 1;
constexpr DWORD EVENT_RESET = 2;
constexpr DWORD EVENT_SET = 3;

}  // namespace

extern "C" BOOL WINAPI EventModify(HANDLE event, DWORD code)
{
    switch (code) {
    case EVENT_PULSE:
        return PulseEvent(event);
    case EVENT_RESET:
        return ResetEvent(event);
    case EVENT_SET:
        return SetEvent(event);
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
}

extern "C" BOOL WINAPI coredllEntry(HINSTANCE, DWORD, LPVOID) { return TRUE; }
