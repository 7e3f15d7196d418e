#include "wave.h"

#include <gsm.h>

Bytes gsmEncode(const Samples& pcm)
{
    gsm handle = gsm_create();
    if (!handle)
        return {};
    int one = 1;
    gsm_option(handle, GSM_OPT_WAV49, &one);
    size_t blocks = (pcm.size() + GSM_BLOCK_SAMPLES - 1) / GSM_BLOCK_SAMPLES;
    Bytes out(blocks * GSM_BLOCK_BYTES, 0);
    for (size_t b = 0; b < blocks; ++b) {
        gsm_signal frame[2][160] = {};
        for (size_t i = 0; i < GSM_BLOCK_SAMPLES; ++i) {
            size_t at = b * GSM_BLOCK_SAMPLES + i;
            frame[i / 160][i % 160] = at < pcm.size() ? pcm[at] : 0;
        }
        // The first frame of a block fills 32 bytes and half of the 33rd,
        // which the second frame completes.
        gsm_byte* dest = out.data() + b * GSM_BLOCK_BYTES;
        gsm_encode(handle, frame[0], dest);
        gsm_encode(handle, frame[1], dest + 32);
    }
    gsm_destroy(handle);
    return out;
}

bool gsmDecode(const Bytes& blocks, Samples& pcm)
{
    if (blocks.size() % GSM_BLOCK_BYTES != 0)
        return false;
    gsm handle = gsm_create();
    if (!handle)
        return false;
    int one = 1;
    gsm_option(handle, GSM_OPT_WAV49, &one);
    pcm.clear();
    bool ok = true;
    for (size_t b = 0; ok && b < blocks.size() / GSM_BLOCK_BYTES; ++b) {
        gsm_byte frame[GSM_BLOCK_BYTES];
        for (int i = 0; i < GSM_BLOCK_BYTES; ++i)
            frame[i] = blocks[b * GSM_BLOCK_BYTES + size_t(i)];
        gsm_signal out[2][160];
        ok = gsm_decode(handle, frame, out[0]) == 0 && gsm_decode(handle, frame + 33, out[1]) == 0;
        for (int f = 0; ok && f < 2; ++f)
            pcm.insert(pcm.end(), out[f], out[f] + 160);
    }
    gsm_destroy(handle);
    return ok;
}

static void putChunk(Bytes& b, const char* tag, const Bytes& body)
{
    putTag(b, tag);
    putU32(b, uint32_t(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    if (body.size() % 2)
        b.push_back(0);  // chunks start on even offsets
}

static Bytes riff(const Bytes& chunks)
{
    Bytes b;
    putTag(b, "RIFF");
    putU32(b, uint32_t(4 + chunks.size()));
    putTag(b, "WAVE");
    b.insert(b.end(), chunks.begin(), chunks.end());
    return b;
}

Bytes gsmWave(const Bytes& blocks)
{
    Bytes chunks, fmt, fact, list, disp;
    putU16(fmt, 49);  // GSM 6.10
    putU16(fmt, 1);
    putU32(fmt, GSM_RATE);
    putU32(fmt, 1625);  // 65 bytes per 320 samples at 8000 samples/s
    putU16(fmt, GSM_BLOCK_BYTES);
    putU16(fmt, 0);
    putU16(fmt, 2);
    putU16(fmt, GSM_BLOCK_SAMPLES);
    putU32(fact, uint32_t(blocks.size() / GSM_BLOCK_BYTES * GSM_BLOCK_SAMPLES));
    putTag(list, "INFO");
    putTag(list, "IGNR");
    putU32(list, 6);
    for (char c : {'O', 't', 'h', 'e', 'r', '\0'})
        list.push_back(uint8_t(c));
    putU32(disp, 1);  // CF_TEXT, an empty text
    putU16(disp, 0);
    putChunk(chunks, "fmt ", fmt);
    putChunk(chunks, "fact", fact);
    putChunk(chunks, "data", blocks);
    putChunk(chunks, "LIST", list);
    putChunk(chunks, "DISP", disp);
    return riff(chunks);
}

Bytes pcm8Wave(const Samples& pcm, uint32_t rate)
{
    Bytes chunks, fmt, data;
    putU16(fmt, 1);  // PCM
    putU16(fmt, 1);
    putU32(fmt, rate);
    putU32(fmt, rate);  // one byte a sample
    putU16(fmt, 1);
    putU16(fmt, 8);
    for (int16_t s : pcm)
        data.push_back(uint8_t((s + 32768) >> 8));
    putChunk(chunks, "fmt ", fmt);
    putChunk(chunks, "data", data);
    return riff(chunks);
}
