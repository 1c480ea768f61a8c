#include "processor/Biquad.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

namespace
{
std::uint32_t bits (float value)
{
    std::uint32_t pattern;
    std::memcpy (&pattern, &value, sizeof pattern);
    return pattern;
}

bool sameCoefficients (const juce::IIRCoefficients& a, const juce::IIRCoefficients& b)
{
    return std::memcmp (a.coefficients, b.coefficients, sizeof a.coefficients) == 0;
}

const juce::IIRCoefficients designs[] = {
    juce::IIRCoefficients::makeLowPass (48000.0, 20.0),
    juce::IIRCoefficients::makeHighPass (44100.0, 19000.0, 0.5),
    juce::IIRCoefficients::makePeakFilter (96000.0, 1000.0, 15.0, 8.0f),
    juce::IIRCoefficients::makeLowPass (48000.0, 20000.0, 2.0),
};

// The lanes stand in for juce::IIRFilter::processSingleSampleRaw; each must give its filter's
// result to the bit, through designs that ring, outputs that snap to zero, inputs that are not
// finite, designs changed in the middle (one lane or several at once) and lanes started afresh.
// At the end the filters must hold the same state and the last design.
TEST (Biquad, LanesMatchTheFilterToTheBit)
{
    std::mt19937 random (3);
    std::uniform_real_distribution<float> level (-1.0f, 1.0f);

    for (std::size_t first = 0; first < std::size (designs); ++first)
    {
        juce::IIRFilter reference[4];
        Biquad laned[4];
        for (std::size_t lane = 0; lane < 4; ++lane)
            for (auto* filter : { &reference[lane], static_cast<juce::IIRFilter*> (&laned[lane]) })
                filter->setCoefficients (designs[(first + lane) % std::size (designs)]);

        BiquadLanes lanes ({ &laned[0], &laned[1], &laned[2], &laned[3] });

        const auto design = [&] (unsigned mask, const juce::IIRCoefficients& coefficients)
        {
            lanes.setCoefficients (mask, coefficients);
            for (std::size_t lane = 0; lane < 4; ++lane)
                if ((mask >> lane & 1u) != 0)
                    reference[lane].setCoefficients (coefficients);
        };

        for (int i = 0; i < 4000; ++i)
        {
            // Loud, then tiny enough to snap, with a NaN and an infinity on the way.
            const auto scale = i < 2000 ? 1.0f : 1e-9f;
            float in[4];
            for (auto& value : in)
                value = level (random) * scale;
            if (i == 1500)
                in[0] = std::numeric_limits<float>::quiet_NaN();
            if (i == 1700)
                in[3] = std::numeric_limits<float>::infinity();

            if (i == 1501 || i == 1701)
            {
                const auto mask = i == 1501 ? 0b0001u : 0b1000u;
                lanes.reset (mask);
                for (std::size_t lane = 0; lane < 4; ++lane)
                    if ((mask >> lane & 1u) != 0)
                        reference[lane].reset();
            }
            if (i == 700)
                design (0b0110u, designs[(first + 3) % std::size (designs)]);
            if (i >= 1000 && i < 1100)
                design (1u << (i % 4), juce::IIRCoefficients::makeLowPass (48000.0, 200.0 + 10.0 * i));

            alignas (16) float out[4];
            _mm_store_ps (out, lanes.process (_mm_loadu_ps (in)));

            for (std::size_t lane = 0; lane < 4; ++lane)
                ASSERT_EQ (bits (out[lane]), bits (reference[lane].processSingleSampleRaw (in[lane]))) << lane << " " << i;
        }

        lanes.finishBlock (0b1111u);
        for (std::size_t lane = 0; lane < 4; ++lane)
        {
            EXPECT_TRUE (sameCoefficients (laned[lane].getCoefficients(), reference[lane].getCoefficients())) << lane;
            EXPECT_EQ (bits (laned[lane].processSingleSampleRaw (0.25f)), bits (reference[lane].processSingleSampleRaw (0.25f))) << lane;
        }
    }
}

// With one channel the right lanes never carried a signal: their filters keep their state, but
// a design made for them during the block still reaches them. A lane without a filter is left
// out, and a filter that got no design keeps its coefficients.
TEST (Biquad, FinishBlockHandsBackOnlyWhatTheBlockMade)
{
    const auto& original = designs[0];
    const auto& swept = designs[2];

    Biquad left, right, untouched;
    juce::IIRFilter rightReference;
    for (auto* filter : { static_cast<juce::IIRFilter*> (&left), static_cast<juce::IIRFilter*> (&right), static_cast<juce::IIRFilter*> (&untouched), &rightReference })
    {
        filter->setCoefficients (original);
        filter->processSingleSampleRaw (0.5f);
    }

    BiquadLanes lanes ({ &left, &right, nullptr, &untouched });
    for (int i = 0; i < 100; ++i)
    {
        if (i == 50)
            lanes.setCoefficients (0b0011u, swept);
        lanes.process (_mm_setr_ps (0.3f, 0.9f, 0.7f, 0.0f));
    }
    lanes.finishBlock (0b0001u);

    EXPECT_TRUE (sameCoefficients (left.getCoefficients(), swept));
    EXPECT_TRUE (sameCoefficients (right.getCoefficients(), swept));
    EXPECT_TRUE (sameCoefficients (untouched.getCoefficients(), original));

    rightReference.setCoefficients (swept);
    EXPECT_EQ (bits (right.processSingleSampleRaw (0.1f)), bits (rightReference.processSingleSampleRaw (0.1f)));
}
} // namespace
