// RIFF WAVE images and the GSM 6.10 codec they carry: format tag 49, the
// WAV49 packing of two 160-sample frames into one 65-byte block.
#ifndef RESGEN_WAVE_H
#define RESGEN_WAVE_H

#include <cstdint>
#include <vector>

#include "file_formats.h"

constexpr int GSM_RATE = 8000;
constexpr int GSM_BLOCK_BYTES = 65;
constexpr int GSM_BLOCK_SAMPLES = 320;

using Samples = std::vector<int16_t>;

// WAV49 GSM 6.10 data: whole 65-byte blocks, the last one padded with
// silence. Empty on an encoder failure.
Bytes gsmEncode(const Samples& pcm);
// The reverse, for checking what was encoded (only the tests call it; the
// generator runs at build time and is never handed out). False on
// malformed data.
bool gsmDecode(const Bytes& blocks, Samples& pcm);

// RIFF WAVE images. gsmWave: chunks fmt (20 bytes), fact, data (padded to
// an even size), LIST/INFO/IGNR "Other" and DISP, at GSM_RATE. pcm8Wave:
// fmt (16 bytes) and data, unsigned 8-bit mono at the given rate.
Bytes gsmWave(const Bytes& blocks);
Bytes pcm8Wave(const Samples& pcm, uint32_t rate);

#endif
