#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// A juce::IIRFilter (coefficients still set under its lock) whose per-sample step is visible to
// the compiler: the arithmetic of processSingleSampleRaw, in the same order, with the same snap
// of outputs near zero, so the sound is unchanged while the call goes away.
class Biquad : public juce::IIRFilter
{
public:
    float process (float in) noexcept
    {
        const auto* c = coefficients.coefficients;
        auto out = c[0] * in + v1;

        JUCE_SNAP_TO_ZERO (out);

        v1 = c[1] * in - c[3] * out + v2;
        v2 = c[2] * in - c[4] * out;
        return out;
    }
};
