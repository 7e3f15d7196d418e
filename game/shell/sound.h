// The game's four sound effects, played from the program's "SOUND" resources.
#ifndef KUBRELSE_SHELL_SOUND_H
#define KUBRELSE_SHELL_SOUND_H

#include <windows.h>

#include <cstdint>

typedef BOOL(WINAPI* SoundPlayer)(LPCWSTR sound, UINT flags);

// Replaces the player (tests record requests with it); null puts
// sndPlaySoundW back.
void setSoundPlayer(SoundPlayer player);

// Plays sound resource id unless the sound is off. With wait set, returns
// when it has played (flags 6), otherwise at once (flags 7).
void playSound(uint16_t id, int wait);

#endif
