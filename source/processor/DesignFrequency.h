#pragma once

#include <algorithm>

// The frequency a filter design is given. A biquad designed at or above half the sample rate
// has a pole outside the unit circle, so frequencies are held just below it. At 0.46 of the
// rate the limit lies above 20 kHz, the highest frequency any control reaches, from 44.1 kHz up:
// there every design keeps its frequency unchanged.
inline double designFrequency (double frequency, double sampleRate)
{
    return std::min (frequency, 0.46 * sampleRate);
}
