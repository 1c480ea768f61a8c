#pragma once

#include "LaneMath.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <array>
#include <emmintrin.h>

// A juce::IIRFilter whose coefficients and state the lanes below can reach.
class Biquad : public juce::IIRFilter
{
private:
    friend class BiquadLanes;
};

// Up to four filters stepped together, one in each lane of an SSE register: each lane does
// juce::IIRFilter::processSingleSampleRaw's operations, snap near zero included, in the same
// order and precision, so each lane's result is the one its filter alone would give.
//
// For a block the lanes hold their filters' state and coefficients. A design made during the
// block goes straight into its lanes; finishBlock hands each filter its state and installs the
// block's last design through setCoefficients, under the filter's own lock. A sample-by-sample
// sweep then takes each lock once a block instead of once a sample, with the same coefficients
// reaching every sample.
class BiquadLanes
{
public:
    // Lanes are named by bit masks, lane 0 in bit 0. A lane without a filter still computes, but
    // nothing reads it.
    using Filters = std::array<Biquad*, 4>;

    explicit BiquadLanes (const Filters& laneFilters) noexcept
        : filters (laneFilters)
    {
        alignas (16) float values[7][4] {};
        for (std::size_t lane = 0; lane < 4; ++lane)
            if (const auto* filter = filters[lane])
            {
                for (std::size_t k = 0; k < 5; ++k)
                    values[k][lane] = filter->coefficients.coefficients[k];
                values[5][lane] = filter->v1;
                values[6][lane] = filter->v2;
            }

        for (std::size_t k = 0; k < 5; ++k)
            c[k] = _mm_load_ps (values[k]);
        v1 = _mm_load_ps (values[5]);
        v2 = _mm_load_ps (values[6]);
    }

    void setCoefficients (unsigned lanes, const juce::IIRCoefficients& design) noexcept
    {
        setCoefficients (lanes, design.coefficients);
    }

    // The five coefficients in juce::IIRCoefficients' order.
    void setCoefficients (unsigned lanes, const float* design) noexcept
    {
        const auto mask = laneMask (lanes);
        for (std::size_t k = 0; k < 5; ++k)
            c[k] = _mm_or_ps (_mm_andnot_ps (mask, c[k]), _mm_and_ps (mask, _mm_set1_ps (design[k])));
        designed |= lanes;
    }

    // juce::IIRFilter::reset for the filters of these lanes, which start afresh.
    void reset (unsigned lanes) noexcept
    {
        for (std::size_t lane = 0; lane < 4; ++lane)
            if (filters[lane] != nullptr && (lanes >> lane & 1u) != 0)
                filters[lane]->reset();

        const auto mask = laneMask (lanes);
        v1 = _mm_andnot_ps (mask, v1);
        v2 = _mm_andnot_ps (mask, v2);
    }

    // The state goes back only to the lanes given: a lane whose channel is absent keeps its
    // filter's state as it was.
    void finishBlock (unsigned lanesWithState) const noexcept
    {
        alignas (16) float values[7][4];
        for (std::size_t k = 0; k < 5; ++k)
            _mm_store_ps (values[k], c[k]);
        _mm_store_ps (values[5], v1);
        _mm_store_ps (values[6], v2);

        for (std::size_t lane = 0; lane < 4; ++lane)
        {
            auto* filter = filters[lane];
            if (filter == nullptr)
                continue;

            if ((lanesWithState >> lane & 1u) != 0)
            {
                filter->v1 = values[5][lane];
                filter->v2 = values[6][lane];
            }

            if ((designed >> lane & 1u) != 0)
            {
                juce::IIRCoefficients design;
                for (std::size_t k = 0; k < 5; ++k)
                    design.coefficients[k] = values[k][lane];
                filter->setCoefficients (design);
            }
        }
    }

    __m128 process (__m128 in) noexcept
    {
        auto out = _mm_add_ps (_mm_mul_ps (c[0], in), v1);
        // Outside (-1e-8, 1e-8) is a magnitude above 1e-8, and a NaN fails both tests: one
        // comparison in place of two.
        out = _mm_and_ps (out, _mm_cmpgt_ps (magnitude (out), _mm_set1_ps (1.0e-8f)));

        v1 = _mm_add_ps (_mm_sub_ps (_mm_mul_ps (c[1], in), _mm_mul_ps (c[3], out)), v2);
        v2 = _mm_sub_ps (_mm_mul_ps (c[2], in), _mm_mul_ps (c[4], out));
        return out;
    }

private:
    static __m128 laneMask (unsigned lanes) noexcept
    {
        const auto on = [lanes] (unsigned lane)
        { return (lanes >> lane & 1u) != 0 ? -1 : 0; };
        return _mm_castsi128_ps (_mm_setr_epi32 (on (0), on (1), on (2), on (3)));
    }

    __m128 c[5];
    __m128 v1, v2;
    Filters filters;
    unsigned designed = 0;
};
