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

// The paired step stands in for juce::IIRFilter::processSingleSampleRaw; it must give its result
// to the bit, through designs that ring, outputs that snap to zero and
// inputs that are not finite, and the pair must hand back the same state.
TEST (Biquad, PairedStepMatchesTheFilterToTheBit)
{
    const juce::IIRCoefficients designs[] = {
        juce::IIRCoefficients::makeLowPass (48000.0, 20.0),
        juce::IIRCoefficients::makeHighPass (44100.0, 19000.0, 0.5),
        juce::IIRCoefficients::makePeakFilter (96000.0, 1000.0, 15.0, 8.0f),
        juce::IIRCoefficients::makeLowPass (48000.0, 20000.0, 2.0),
    };

    std::mt19937 random (3);
    std::uniform_real_distribution<float> level (-1.0f, 1.0f);

    for (const auto& left : designs)
        for (const auto& right : designs)
        {
            juce::IIRFilter reference[2];
            Biquad paired[2];
            for (int c = 0; c < 2; ++c)
                for (auto* filter : { &reference[c], static_cast<juce::IIRFilter*> (&paired[c]) })
                    filter->setCoefficients (c == 0 ? left : right);

            BiquadPair pair;
            pair.take (paired[0], paired[1]);

            for (int i = 0; i < 4000; ++i)
            {
                // Loud, then tiny enough to snap, with a NaN and an infinity on the way.
                const auto scale = i < 2000 ? 1.0f : 1e-9f;
                float in[2] = { level (random) * scale, level (random) * scale };
                if (i == 1500)
                    in[0] = std::numeric_limits<float>::quiet_NaN();
                if (i == 1700)
                    in[1] = std::numeric_limits<float>::infinity();
                if (i == 1501 || i == 1701)
                {
                    for (int c = 0; c < 2; ++c)
                        for (auto* filter : { &reference[c], static_cast<juce::IIRFilter*> (&paired[c]) })
                            filter->reset();
                    pair.take (paired[0], paired[1]);
                }

                alignas (16) float out[4];
                _mm_store_ps (out, pair.process (_mm_setr_ps (in[0], in[1], 0.0f, 0.0f)));

                for (int c = 0; c < 2; ++c)
                {
                    const auto expected = bits (reference[c].processSingleSampleRaw (in[c]));
                    ASSERT_EQ (bits (out[c]), expected) << c << " " << i;
                }
            }

            // The state handed back continues exactly where the reference is.
            pair.putState (paired[0], paired[1], true);
            for (int c = 0; c < 2; ++c)
                EXPECT_EQ (bits (paired[c].processSingleSampleRaw (0.25f)), bits (reference[c].processSingleSampleRaw (0.25f)));
        }
}

TEST (Biquad, PairWithOneChannelLeavesTheRightFilterAlone)
{
    Biquad left, right;
    const auto design = juce::IIRCoefficients::makeLowPass (48000.0, 500.0);
    left.setCoefficients (design);
    right.setCoefficients (design);
    right.processSingleSampleRaw (0.5f);
    juce::IIRFilter rightReference;
    rightReference.setCoefficients (design);
    rightReference.processSingleSampleRaw (0.5f);

    BiquadPair pair;
    pair.take (left, right);
    for (int i = 0; i < 100; ++i)
        pair.process (_mm_setr_ps (0.3f, 0.9f, 0.0f, 0.0f));
    pair.putState (left, right, false);

    EXPECT_EQ (bits (right.processSingleSampleRaw (0.1f)), bits (rightReference.processSingleSampleRaw (0.1f)));
}
} // namespace
