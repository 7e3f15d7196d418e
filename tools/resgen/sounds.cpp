#include "sounds.h"

#include <cmath>

#include <gsm.h>

namespace {

constexpr double PI = 3.14159265358979323846;

int16_t clampSample(double v) {
    if (v > 32767.0) return 32767;
    if (v < -32768.0) return -32768;
    return int16_t(std::lround(v));
}

// Attack in samples, then an exponential fall with the given time constant.
double envelope(int n, int attack, double decaySamples) {
    if (n < attack) return double(n) / attack;
    return std::exp(-(n - attack) / decaySamples);
}

// Fades the last samples to silence, so no sound ends in a click.
void fadeOut(std::vector<double>& wave, int length) {
    int n = int(wave.size());
    for (int i = 0; i < length && i < n; ++i) wave[size_t(n - 1 - i)] *= double(i) / length;
}

Samples toSamples(const std::vector<double>& wave, double peak) {
    double top = 1e-9;
    for (double v : wave) top = std::fmax(top, std::fabs(v));
    Samples out;
    out.reserve(wave.size());
    for (double v : wave) out.push_back(clampSample(v / top * peak));
    return out;
}

// Deterministic white noise in [-1, 1].
struct Noise {
    uint32_t state = 12345;
    double next() {
        state = state * 1103515245u + 12345u;
        return double((state >> 9) & 0xFFFF) / 32768.0 - 1.0;
    }
};

}  // namespace

Samples landedSound() {
    std::vector<double> wave(3 * GSM_BLOCK_SAMPLES);
    Noise noise;
    double phase = 0, lowNoise = 0;
    for (size_t n = 0; n < wave.size(); ++n) {
        double t = double(n) / GSM_RATE;
        double freq = 70.0 + 130.0 * std::exp(-t * 30.0);  // the pitch drops as it lands
        phase += 2 * PI * freq / GSM_RATE;
        lowNoise += (noise.next() - lowNoise) * 0.25;  // a dull knock at the start
        double knock = lowNoise * envelope(int(n), 8, 90.0);
        wave[n] = std::sin(phase) * envelope(int(n), 16, 260.0) + 0.8 * knock;
    }
    fadeOut(wave, 120);
    return toSamples(wave, 24000);
}

Samples turnedSound() {
    std::vector<double> wave(10 * GSM_BLOCK_SAMPLES, 0.0);
    Noise noise;
    // A click: a short burst of noise and a bright ping, then two echoes.
    const int starts[3] = {0, 960, 1920};
    const double levels[3] = {1.0, 0.35, 0.12};
    for (int k = 0; k < 3; ++k) {
        double phase = 0;
        for (int n = 0; n < 900; ++n) {
            size_t at = size_t(starts[k] + n);
            double freq = 950.0 + 450.0 * std::exp(-n / 200.0);
            phase += 2 * PI * freq / GSM_RATE;
            double ping = std::sin(phase) * envelope(n, 4, 180.0);
            double tick = noise.next() * envelope(n, 1, 18.0);
            wave[at] += levels[k] * (ping + 0.6 * tick);
        }
    }
    fadeOut(wave, 200);
    return toSamples(wave, 20000);
}

Samples rowsSound() {
    std::vector<double> wave(19 * GSM_BLOCK_SAMPLES, 0.0);
    // C, E, G and the high C, each a bell tone struck 0.09 s after the last.
    const double notes[4] = {523.25, 659.25, 783.99, 1046.50};
    for (int k = 0; k < 4; ++k) {
        int start = k * 720;
        double decay = k == 3 ? 1800.0 : 1100.0;
        for (size_t n = size_t(start); n < wave.size(); ++n) {
            int i = int(n) - start;
            double t = double(i) / GSM_RATE;
            double bell = std::sin(2 * PI * notes[k] * t) + 0.35 * std::sin(2 * PI * notes[k] * 2.0 * t) +
                          0.15 * std::sin(2 * PI * notes[k] * 3.01 * t) * std::exp(-i / 400.0);
            wave[n] += bell * envelope(i, 24, decay);
        }
    }
    fadeOut(wave, 400);
    return toSamples(wave, 22000);
}

Samples gameOverSound() {
    std::vector<double> wave(14348);
    double phase = 0;
    Noise noise;
    double lowNoise = 0;
    const int slide = 12000;  // about 1.09 s of falling tone, then the thump
    for (size_t n = 0; n < wave.size(); ++n) {
        int i = int(n);
        double v = 0;
        if (i < slide) {
            double t = double(i) / slide;
            double freq = 660.0 * std::pow(110.0 / 660.0, t) * (1.0 + 0.03 * std::sin(2 * PI * 6.0 * i / PCM_RATE));
            phase += 2 * PI * freq / PCM_RATE;
            double tone = std::tanh(2.5 * std::sin(phase));  // a soft square: reedy, not harsh
            v = tone * (i < 200 ? i / 200.0 : 1.0) * (1.0 - 0.5 * t);
        }
        if (i >= slide - 300) {
            int j = i - (slide - 300);
            lowNoise += (noise.next() - lowNoise) * 0.08;
            double thump = std::sin(2 * PI * 55.0 * j / PCM_RATE) + 1.5 * lowNoise;
            v += 0.9 * thump * envelope(j, 30, 500.0);
        }
        wave[n] = v;
    }
    fadeOut(wave, 600);
    return toSamples(wave, 30000);
}

Bytes gsmEncode(const Samples& pcm) {
    gsm handle = gsm_create();
    if (!handle) return {};
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

bool gsmDecode(const Bytes& blocks, Samples& pcm) {
    if (blocks.size() % GSM_BLOCK_BYTES != 0) return false;
    gsm handle = gsm_create();
    if (!handle) return false;
    int one = 1;
    gsm_option(handle, GSM_OPT_WAV49, &one);
    pcm.clear();
    bool ok = true;
    for (size_t b = 0; ok && b < blocks.size() / GSM_BLOCK_BYTES; ++b) {
        gsm_byte frame[GSM_BLOCK_BYTES];
        for (int i = 0; i < GSM_BLOCK_BYTES; ++i) frame[i] = blocks[b * GSM_BLOCK_BYTES + size_t(i)];
        gsm_signal out[2][160];
        ok = gsm_decode(handle, frame, out[0]) == 0 && gsm_decode(handle, frame + 33, out[1]) == 0;
        for (int f = 0; ok && f < 2; ++f) pcm.insert(pcm.end(), out[f], out[f] + 160);
    }
    gsm_destroy(handle);
    return ok;
}

static void putChunk(Bytes& b, const char* tag, const Bytes& body) {
    putTag(b, tag);
    putU32(b, uint32_t(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    if (body.size() % 2) b.push_back(0);  // chunks start on even offsets
}

static Bytes riff(const Bytes& chunks) {
    Bytes b;
    putTag(b, "RIFF");
    putU32(b, uint32_t(4 + chunks.size()));
    putTag(b, "WAVE");
    b.insert(b.end(), chunks.begin(), chunks.end());
    return b;
}

Bytes gsmWave(const Bytes& blocks) {
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
    for (char c : {'O', 't', 'h', 'e', 'r', '\0'}) list.push_back(uint8_t(c));
    putU32(disp, 1);  // CF_TEXT, an empty text
    putU16(disp, 0);
    putChunk(chunks, "fmt ", fmt);
    putChunk(chunks, "fact", fact);
    putChunk(chunks, "data", blocks);
    putChunk(chunks, "LIST", list);
    putChunk(chunks, "DISP", disp);
    return riff(chunks);
}

Bytes pcm8Wave(const Samples& pcm) {
    Bytes chunks, fmt, data;
    putU16(fmt, 1);  // PCM
    putU16(fmt, 1);
    putU32(fmt, PCM_RATE);
    putU32(fmt, PCM_RATE);
    putU16(fmt, 1);
    putU16(fmt, 8);
    for (int16_t s : pcm) data.push_back(uint8_t((s + 32768) >> 8));
    putChunk(chunks, "fmt ", fmt);
    putChunk(chunks, "data", data);
    return riff(chunks);
}
