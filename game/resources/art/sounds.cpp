#include "sounds.h"

#include <cmath>

namespace {

constexpr double PI = 3.14159265358979323846;

int16_t clampSample(double v)
{
    if (v > 32767.0)
        return 32767;
    if (v < -32768.0)
        return -32768;
    return int16_t(std::lround(v));
}

// Attack in samples, then an exponential fall with the given time constant.
double envelope(int n, int attack, double decaySamples)
{
    if (n < attack)
        return double(n) / attack;
    return std::exp(-(n - attack) / decaySamples);
}

// Fades the last samples to silence, so no sound ends in a click.
void fadeOut(std::vector<double>& wave, int length)
{
    int n = int(wave.size());
    for (int i = 0; i < length && i < n; ++i)
        wave[size_t(n - 1 - i)] *= double(i) / length;
}

Samples toSamples(const std::vector<double>& wave, double peak)
{
    double top = 1e-9;
    for (double v : wave)
        top = std::fmax(top, std::fabs(v));
    Samples out;
    out.reserve(wave.size());
    for (double v : wave)
        out.push_back(clampSample(v / top * peak));
    return out;
}

// Deterministic white noise in [-1, 1].
struct Noise {
    uint32_t state = 12345;
    double next()
    {
        state = state * 1103515245u + 12345u;
        return double((state >> 9) & 0xFFFF) / 32768.0 - 1.0;
    }
};

}  // namespace

Samples landedSound()
{
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

Samples turnedSound()
{
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

Samples rowsSound()
{
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

Samples gameOverSound()
{
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
