#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <xmmintrin.h>

// A juce::IIRFilter whose coefficients and state the paired step below can reach; coefficients
// are still installed through setCoefficients, under the filter's own lock.
class Biquad : public juce::IIRFilter
{
private:
    friend class BiquadPair;
};

// The left and right filters of one stage stepped together, left in lane 0 and right in lane 1:
// each lane does juce::IIRFilter::processSingleSampleRaw's operations, snap near zero included,
// in the same order and precision, so each lane's result is the one its filter alone would give.
// The pair holds coefficients and state for a block; the filters get their state back through
// putState.
class BiquadPair
{
public:
    void take (const Biquad& left, const Biquad& right) noexcept
    {
        takeCoefficients (left, right);
        v1 = _mm_setr_ps (left.v1, right.v1, 0.0f, 0.0f);
        v2 = _mm_setr_ps (left.v2, right.v2, 0.0f, 0.0f);
    }

    void takeCoefficients (const Biquad& left, const Biquad& right) noexcept
    {
        const auto* l = left.coefficients.coefficients;
        const auto* r = right.coefficients.coefficients;
        c0 = _mm_setr_ps (l[0], r[0], 0.0f, 0.0f);
        c1 = _mm_setr_ps (l[1], r[1], 0.0f, 0.0f);
        c2 = _mm_setr_ps (l[2], r[2], 0.0f, 0.0f);
        c3 = _mm_setr_ps (l[3], r[3], 0.0f, 0.0f);
        c4 = _mm_setr_ps (l[4], r[4], 0.0f, 0.0f);
    }

    // With one channel the right filter never ran, so it keeps its state.
    void putState (Biquad& left, Biquad& right, bool stereo) const noexcept
    {
        alignas (16) float state1[4], state2[4];
        _mm_store_ps (state1, v1);
        _mm_store_ps (state2, v2);
        left.v1 = state1[0];
        left.v2 = state2[0];
        if (stereo)
        {
            right.v1 = state1[1];
            right.v2 = state2[1];
        }
    }

    __m128 process (__m128 in) noexcept
    {
        auto out = _mm_add_ps (_mm_mul_ps (c0, in), v1);
        // Outside (-1e-8, 1e-8) is a magnitude above 1e-8, and a NaN fails both tests: one
        // comparison in place of two.
        const auto magnitude = _mm_andnot_ps (_mm_set1_ps (-0.0f), out);
        out = _mm_and_ps (out, _mm_cmpgt_ps (magnitude, _mm_set1_ps (1.0e-8f)));

        v1 = _mm_add_ps (_mm_sub_ps (_mm_mul_ps (c1, in), _mm_mul_ps (c3, out)), v2);
        v2 = _mm_sub_ps (_mm_mul_ps (c2, in), _mm_mul_ps (c4, out));
        return out;
    }

private:
    __m128 c0, c1, c2, c3, c4, v1, v2;
};
