// The game's four sound effects, synthesised; three are stored as GSM 6.10
// and one as 8-bit PCM (see wave.h for the files).
#ifndef RESGEN_SOUNDS_H
#define RESGEN_SOUNDS_H

#include "wave.h"

constexpr int PCM_RATE = 11025;

// The effects, at GSM_RATE (the first three) or PCM_RATE (the last); their
// lengths are whole GSM blocks: 3, 10 and 19 blocks, and 14348 samples.
Samples landedSound();    // a short low thud
Samples turnedSound();    // a crisp click with two fading echoes
Samples rowsSound();      // a rising four-note chime
Samples gameOverSound();  // a long falling wail ending in a thump

#endif
