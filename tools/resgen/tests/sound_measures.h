// Measures of sampled sound for the tests of the codec and of the effects.
#ifndef RESGEN_TESTS_SOUND_MEASURES_H
#define RESGEN_TESTS_SOUND_MEASURES_H

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "wave.h"

inline double rms(const Samples& s, size_t from = 0, size_t to = SIZE_MAX)
{
    to = std::min(to, s.size());
    double sum = 0;
    for (size_t i = from; i < to; ++i)
        sum += double(s[i]) * s[i];
    return to > from ? std::sqrt(sum / double(to - from)) : 0.0;
}

// Normalised correlation of two equally long signals, 1 for identical shape.
inline double correlation(const Samples& a, const Samples& b)
{
    double ab = 0, aa = 0, bb = 0;
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        ab += double(a[i]) * b[i];
        aa += double(a[i]) * a[i];
        bb += double(b[i]) * b[i];
    }
    return ab / std::sqrt(aa * bb + 1e-9);
}

#endif
