// Calls WINMM through a delay-import library made as the game's is, with
// the stub left unnamed to the linker; never run, only read by the
// delay-import check.
#include <windows.h>
#include <mmsystem.h>

int main() { return sndPlaySoundW(nullptr, 0); }
