// The game's four sound effects: synthesised, then stored as whole RIFF
// WAVE images. Three are GSM 6.10 (format tag 49, the WAV49 packing of
// two 160-sample frames into one 65-byte block), one is 8-bit PCM.
#ifndef RESGEN_SOUNDS_H
#define RESGEN_SOUNDS_H

#include <cstdint>
#include <vector>

#include "file_formats.h"

constexpr int GSM_RATE = 8000;
constexpr int GSM_BLOCK_BYTES = 65;
constexpr int GSM_BLOCK_SAMPLES = 320;
constexpr int PCM_RATE = 11025;

using Samples = std::vector<int16_t>;

// The effects, at GSM_RATE (the first three) or PCM_RATE (the last); their
// lengths are whole GSM blocks: 3, 10 and 19 blocks, and 14348 samples.
Samples landedSound();    // a short low thud
Samples turnedSound();    // a crisp click with two fading echoes
Samples rowsSound();      // a rising four-note chime
Samples gameOverSound();  // a long falling wail ending in a thump

// WAV49 GSM 6.10 data: whole 65-byte blocks, the last one padded with
// silence. Empty on an encoder failure.
Bytes gsmEncode(const Samples& pcm);
// The reverse, for checking what was encoded. False on malformed data.
bool gsmDecode(const Bytes& blocks, Samples& pcm);

// RIFF WAVE images. gsmWave: chunks fmt (20 bytes), fact, data (padded to
// an even size), LIST/INFO/IGNR "Other" and DISP. pcm8Wave: fmt (16 bytes)
// and data, unsigned 8-bit mono at PCM_RATE.
Bytes gsmWave(const Bytes& blocks);
Bytes pcm8Wave(const Samples& pcm);

#endif
