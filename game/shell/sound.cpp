#include "sound.h"

#include <mmsystem.h>

#include "game_state.h"
#include "locked_resource.h"
#include "shell_state.h"

namespace {

// Null stands for sndPlaySoundW: an imported function's address is known
// only once the program is loaded, so naming it here would need a static
// constructor, and the handset's program has no C runtime to run one.
SoundPlayer activePlayer = nullptr;

}  // namespace

void setSoundPlayer(SoundPlayer player) { activePlayer = player; }

void playSound(uint16_t id, int wait)
{
    if (!game.soundOn)
        return;
    const void* image = lockedResource(shell.instance, id, L"sound", nullptr);
    if (!image)
        return;
    // The image stays mapped with the program, so a sound that goes on
    // playing after this returns keeps its data; nothing is freed here.
    const UINT flags = wait ? SND_NODEFAULT | SND_MEMORY : SND_ASYNC | SND_NODEFAULT | SND_MEMORY;
    const SoundPlayer play = activePlayer ? activePlayer : sndPlaySoundW;
    play(static_cast<LPCWSTR>(image), flags);
}
