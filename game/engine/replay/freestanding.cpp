// Where the replay starts on the handset's processor, where it runs as a
// Linux program under qemu-arm with no C or C++ runtime. What lies below it
// there is in freestanding_runtime.cpp.
#include "replay.h"

extern "C" [[noreturn]] void _exit(int status);

// qemu-arm hands over a stack and the zeroed .bss; the engine's records are
// all constant-initialised, so there is nothing to construct.
extern "C" [[noreturn]] void _start()
{
    _exit(runReplay());
}
