#include "processor/Lfo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace
{
struct LfoCase
{
    const char* what;
    bool enabled;
    int wave;
    float shift;
    double phase;
    float expected;
    float tolerance;
};

TEST (Lfo, WaveValuesAtTheirEdges)
{
    const LfoCase cases[] = {
        { "disabled", false, 0, 0.25f, 0.3, 0.5f, 0.0f },
        { "disabled square", false, 6, 0.6f, 0.9, 0.5f, 0.0f },
        { "wave 8", true, 8, 0.25f, 0.3, 0.5f, 0.0f },
        { "wave -1", true, -1, 0.4f, 0.7, 0.5f, 0.0f },
        { "sine start", true, 0, 0.25f, 0.0, 0.0f, 1e-6f },
        { "sine quarter", true, 0, 0.25f, 0.25, 0.5f, 1e-6f },
        { "sine middle", true, 0, 0.25f, 0.5, 1.0f, 1e-6f },
        // Wave 1's internal phase is p + 0.25 + s: at s = 0.25 it is p + 0.5.
        { "triangle f = 0", true, 1, 0.25f, 0.5, 1.0f, 1e-6f },
        { "triangle f = 0.25", true, 1, 0.25f, 0.75, 0.5f, 1e-6f },
        { "triangle f = 0.5", true, 1, 0.25f, 0.0, 0.0f, 1e-6f },
        { "rising ramp", true, 2, 0.25f, 0.3, 0.3f, 1e-6f },
        { "falling ramp", true, 3, 0.25f, 0.3, 0.7f, 1e-6f },
        { "flat ramp at s = 0.5", true, 2, 0.5f, 0.0, 0.5f, 0.0f },
        { "flat ramp at s = 0.5, later", true, 2, 0.5f, 0.61, 0.5f, 0.0f },
        { "log rise below threshold", true, 4, 0.25f, 0.003, 0.0f, 0.0f },
        { "log rise at s = 0.75 below threshold", true, 4, 0.75f, 0.002, 1.5f, 1e-6f },
        { "log fall near the end", true, 5, 0.25f, 0.999, 0.0f, 1e-3f },
        { "soft square first half", true, 6, 0.25f, 0.25, -0.0203f, 1e-3f },
        { "soft square second half", true, 6, 0.25f, 0.75, 1.0203f, 1e-3f },
        { "rectified cosine start", true, 7, 0.25f, 0.0, 1.0f, 1e-6f },
        { "rectified cosine middle", true, 7, 0.25f, 0.5, 0.0f, 1e-6f },
    };

    for (const auto& c : cases)
    {
        LFO lfo;
        lfo.enabled = c.enabled;
        lfo.phase = c.phase;
        EXPECT_NEAR (lfo.getSample (c.wave, c.shift, 0.0f), c.expected, c.tolerance) << c.what;
    }
}

TEST (Lfo, LogThresholdGivesExactlyTheShapeConstant)
{
    // At f <= 10^-2.4 the curve is exactly 1, so wave 4 gives 0.5 - A - B / 2.
    for (const auto shift : { 0.25f, 0.4f, 0.6f, 0.75f })
    {
        const auto a = 1.0f - 4.0f * (shift - 0.25f);
        const auto b = 2.0f * (shift - 0.25f) - 1.0f;
        LFO lfo;
        lfo.enabled = true;
        lfo.phase = 0.00398107 * 0.5;
        const auto w = 2.0f * a * 1.0f + b;
        EXPECT_EQ (lfo.getSample (4, shift, 0.0f), static_cast<float> (0.5 - 0.5 * static_cast<double> (w))) << shift;
    }
}

TEST (Lfo, SoftSquareWrapsTheStoredPhaseOnly)
{
    LFO lfo;
    lfo.enabled = true;
    lfo.phase = 3.7;
    const auto value = lfo.getSample (6, 0.25f, 0.0f);
    EXPECT_NEAR (lfo.phase, 0.7, 1e-12);

    // The value came from the unwrapped phase: frac (0.25 + 3.7 + 0.75) = 0.7, the second half.
    EXPECT_GT (value, 1.0f);

    for (const auto wave : { 0, 1, 2, 3, 4, 5, 7 })
    {
        lfo.phase = 3.7;
        lfo.getSample (wave, 0.25f, 0.0f);
        EXPECT_EQ (lfo.phase, 3.7) << wave;
    }
}

TEST (Lfo, OffsetMovesThePhase)
{
    LFO lfo;
    lfo.enabled = true;
    lfo.phase = 0.0;
    EXPECT_NEAR (lfo.getSample (0, 0.25f, 0.25f), 0.5f, 1e-6f);
    EXPECT_NEAR (lfo.getSample (2, 0.25f, 0.25f), 0.25f, 1e-6f);
}

TEST (Lfo, SampleAndHoldDrawsOnlyAtCycleStarts)
{
    std::srand (7);
    LFO clock;
    clock.sampleRate = 48000.0;
    clock.startBlock (120.0, 0.0);

    // Rate 0.5 beats at 120 BPM: a cycle every 12,000 samples, give or take the rounding of the
    // summed position.
    int draws = 0;
    auto previous = clock.heldRandomValue;
    for (int i = 0; i < 48000; ++i)
    {
        const auto value = clock.sampleAndHold (0.5);
        if (value != previous)
        {
            ++draws;
            EXPECT_TRUE (i % 12000 <= 1 || i % 12000 == 11999) << i;
            EXPECT_GE (value, -1.0f);
            EXPECT_LT (value, 1.0f);
        }
        previous = value;
        clock.advance();
    }
    EXPECT_EQ (draws, 3);

    // A zero-length cycle (an index beyond the table) holds the clock instead of dividing by 0.
    const auto held = clock.heldRandomValue;
    for (int i = 0; i < 1000; ++i)
    {
        EXPECT_EQ (clock.sampleAndHold (beatsAt (freakoutRateBeats, 17)), held);
        clock.advance();
    }
    EXPECT_EQ (clock.phase, 0.0);
}
// The wave phases are reduced without the library's fmodf; the result must be fmodf's to the bit,
// signed zeros, whole numbers, the edge of exact truncation and non-finite values included.
TEST (Lfo, FracIsFmodfToTheBit)
{
    const auto bits = [] (float value)
    {
        std::uint32_t pattern;
        std::memcpy (&pattern, &value, sizeof pattern);
        return pattern;
    };

    std::vector<float> values { 0.0f, -0.0f, 1.0f, -1.0f, -2.0f, 0.75f, -0.75f, -2.5f, 1e-40f, -1e-40f, 8388607.5f, -8388607.5f, 8388608.0f, -8388608.0f, 16777217.0f, 1e30f, -1e30f, std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN() };

    std::mt19937 random (12);
    for (int i = 0; i < 2000000; ++i)
    {
        const auto pattern = static_cast<std::uint32_t> (random());
        float value;
        std::memcpy (&value, &pattern, sizeof value);
        values.push_back (value);
        values.push_back (std::ldexp (static_cast<float> (pattern >> 8) / 16777216.0f, 4) - 8.0f);
    }

    for (const auto value : values)
        ASSERT_EQ (bits (LFO::frac (static_cast<double> (value))), bits (std::fmod (value, 1.0f))) << value;
}
// A block run of the Freakout clock skips the phase where no draw can happen; it must draw at
// the same samples as a call every sample and leave the same clock behind, for positions that
// start negative, cycles of a few samples, tempos that hold still and blocks that jump.
TEST (Lfo, HoldRunDrawsWhereEverySampleWould)
{
    struct Case
    {
        const char* what;
        double bpm;
        double cycleBeats;
        double startPpq;
        int blockSize;
        double jump; // beats added to the position between blocks
    };

    const Case cases[] = {
        { "a cycle of half a beat", 120.0, 0.5, 0.0, 512, 0.0 },
        { "starting before the downbeat", 97.3, 0.16666667, -3.3, 333, 0.0 },
        { "a cycle of a few samples", 999.0, 0.16666667, 0.1, 64, 0.0 },
        { "a still tempo", 0.0, 2.0, 5.5, 128, 0.0 },
        { "a falling tempo", -80.0, 1.0, 4.0, 256, 0.0 },
        { "blocks that jump", 140.0, 1.33333333, 1e5 + 0.3, 200, -7.77 },
        { "blocks of several cycles", 133.0, 0.16666667, 0.0, 8192, 0.0 },
        { "a zero-length cycle", 120.0, 0.0, 1.0, 100, 0.0 },
    };

    for (const auto& c : cases)
    {
        LFO reference, run;
        for (auto* clock : { &reference, &run })
        {
            clock->sampleRate = 48000.0;
            clock->lastWrappedPhase = 0.3f;
        }

        std::vector<float> expected;
        std::srand (7);
        auto ppq = c.startPpq;
        for (int block = 0; block < 40; ++block, ppq += c.jump)
        {
            reference.startBlock (c.bpm, ppq);
            for (int i = 0; i < c.blockSize; ++i, reference.advance())
                expected.push_back (reference.sampleAndHold (c.cycleBeats));
            ppq = reference.ppq;
        }

        std::srand (7);
        ppq = c.startPpq;
        std::size_t sample = 0;
        for (int block = 0; block < 40; ++block, ppq += c.jump)
        {
            run.startBlock (c.bpm, ppq);
            auto holdRun = run.startHoldRun (c.cycleBeats);
            auto lastPpq = run.ppq;
            for (int i = 0; i < c.blockSize; ++i, run.advance(), ++sample)
            {
                lastPpq = run.ppq;
                ASSERT_EQ (run.sampleAndHold (holdRun), expected[sample]) << c.what << ", sample " << sample;
            }
            run.finishHoldRun (holdRun, lastPpq);
            ppq = run.ppq;
        }

        EXPECT_EQ (run.phase, reference.phase) << c.what;
        EXPECT_EQ (run.lastWrappedPhase, reference.lastWrappedPhase) << c.what;
        EXPECT_EQ (run.heldRandomValue, reference.heldRandomValue) << c.what;
    }
}
} // namespace
