#include "processor/EchoEngine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace
{
// An echo driven block by block at 48 kHz and 120 BPM, with its beat position kept running.
struct EchoRig
{
    EchoRig()
    {
        echo.prepare (48000.0);
        settings.mix = 1.0f;
        settings.feedback = 0.0f;
    }

    void run (std::vector<float>& leftBlock, std::vector<float>* rightBlock)
    {
        const auto numSamples = static_cast<int> (leftBlock.size());
        echo.startBlock (settings, bpm, ppq);
        echo.process (leftBlock.data(), rightBlock != nullptr ? rightBlock->data() : nullptr, numSamples);
        ppq += numSamples * (bpm / 60.0) / 48000.0;
    }

    // An impulse of the given heights on the left and right, then silence.
    void impulse (float leftHeight, float rightHeight, int numSamples)
    {
        left.assign (static_cast<std::size_t> (numSamples), 0.0f);
        right = left;
        left[0] = leftHeight;
        right[0] = rightHeight;
        run (left, &right);
    }

    // Lets the delay lengths glide up to their targets.
    void settle()
    {
        std::vector<float> silenceLeft (48000, 0.0f), silenceRight (silenceLeft);
        run (silenceLeft, &silenceRight);
    }

    // Where the echo of an impulse peaks; a settled glide can leave a vanishing weight on the
    // sample before.
    static int loudest (const std::vector<float>& samples, int from)
    {
        auto best = from;
        for (auto i = static_cast<std::size_t> (from); i < samples.size(); ++i)
            if (std::abs (samples[i]) > std::abs (samples[static_cast<std::size_t> (best)]))
                best = static_cast<int> (i);
        return best;
    }

    static int firstNonZero (const std::vector<float>& samples, int from = 0)
    {
        for (auto i = static_cast<std::size_t> (from); i < samples.size(); ++i)
            if (samples[i] != 0.0f)
                return static_cast<int> (i);
        return -1;
    }

    EchoEngine echo;
    EchoSettings settings;
    double bpm = 120.0;
    double ppq = 0.0;
    std::vector<float> left, right;
};

TEST (EchoEngine, DelayGlidesUpAndReadsOneSampleBehind)
{
    EchoRig rig;
    std::vector<float> left (1, 0.0f), right (left);
    rig.run (left, &right);
    // Dotted eighth at 120 BPM is 18,000 samples; the first step covers 0.0008 of the gap.
    EXPECT_DOUBLE_EQ (rig.echo.delayTargetLeft, 18000.0);
    EXPECT_DOUBLE_EQ (rig.echo.delayLengthLeft, 18000.0 * static_cast<double> (0.0008f));

    rig.settle();
    EXPECT_NEAR (rig.echo.delayLengthLeft, 18000.0, 1e-6);
    rig.impulse (0.5f, 0.5f, 20000);
    EXPECT_EQ (EchoRig::loudest (rig.left, 1), 18001);

    // A rate index past the table is 0 beats: the echo is one sample behind the input.
    EchoRig zero;
    zero.settings.rate1 = zero.settings.rate2 = 18;
    zero.impulse (0.5f, 0.5f, 100);
    EXPECT_EQ (EchoRig::firstNonZero (zero.left, 1), 1);
}

TEST (EchoEngine, LinkedRatesIgnoreRateTwo)
{
    EchoRig rig;
    rig.settings.rateLinkOn = true;
    rig.settings.rate2 = 0;
    rig.settle();
    EXPECT_EQ (rig.echo.delayTargetRight, rig.echo.delayTargetLeft);
}

TEST (EchoEngine, PingPongCrossesTheLines)
{
    EchoRig rig;
    rig.settings.pingPongOn = true;
    rig.settings.spread = 1.0f;
    rig.settings.feedback = 1.0f;
    rig.settings.rate2 = 5; // a quarter: 24,000 samples
    rig.settle();

    rig.impulse (0.0f, 0.5f, 70000);
    EXPECT_EQ (EchoRig::firstNonZero (rig.left, 1), -1);
    EXPECT_EQ (EchoRig::firstNonZero (rig.right, 1), -1);

    rig.impulse (0.5f, 0.0f, 70000);
    // Heard first on the right after rate 2, then on the left after a further rate 1; the loop
    // state carries each read one sample on before it is written again.
    EXPECT_EQ (EchoRig::loudest (rig.right, 1), 24001);
    EXPECT_EQ (EchoRig::loudest (rig.left, 1), 24002 + 18001);
    EXPECT_GT (EchoRig::firstNonZero (rig.left, 1), 24001);
}

TEST (EchoEngine, DampingRunsOnlyAboveZero)
{
    EchoRig clean;
    clean.settle();
    clean.impulse (0.5f, 0.5f, 20000);
    EXPECT_FLOAT_EQ (clean.left[18001], 0.5f * (0.25f + 512.0f) / (64.0f * 0.25f + 512.0f));
    EXPECT_FLOAT_EQ (clean.echo.lastLowPassCutoff, 10000.0f);
    EXPECT_FLOAT_EQ (clean.echo.lastHighPassCutoff, 20.0f);

    EchoRig damped;
    damped.settings.damp = 1.0f;
    damped.settle();
    damped.impulse (0.5f, 0.5f, 20000);
    EXPECT_NE (damped.left[18001], clean.left[18001]);
    EXPECT_FLOAT_EQ (damped.echo.lastLowPassCutoff, 10000.0f - 75.0f);
    EXPECT_FLOAT_EQ (damped.echo.lastHighPassCutoff, 20.0f + 8.8f);
}

TEST (EchoEngine, ClipperKeepsFullFeedbackBounded)
{
    EchoRig rig;
    rig.settings.feedback = 1.01f;
    rig.settings.rate1 = rig.settings.rate2 = 17;
    rig.settings.inputGain = 3.1623f;
    std::vector<float> left (48000), right (48000);
    auto peak = 0.0f;
    // The first block holds the mix ramp, where the dry input still shows.
    for (int block = 0; block < 21; ++block)
    {
        for (std::size_t i = 0; i < left.size(); ++i)
            left[i] = right[i] = std::sin (0.01f * static_cast<float> (i)) * 8.0f;
        rig.run (left, &right);
        for (std::size_t i = 0; i < left.size() && block > 0; ++i)
        {
            ASSERT_TRUE (std::isfinite (left[i]));
            peak = std::max (peak, std::abs (left[i]));
        }
    }
    EXPECT_LE (peak, 1.4371f);
    EXPECT_GT (peak, 1.0f);
}

TEST (EchoEngine, PowerOffWritesZerosAndLeavesTheBuffer)
{
    EchoRig rig;
    rig.settings.feedback = 0.5f;
    rig.settle();
    rig.impulse (0.5f, 0.5f, 100);

    rig.settings.powerOn = false;
    const auto firstWrittenOff = rig.echo.writeIndex;
    std::vector<float> left (30000, 0.25f), right (left);
    rig.run (left, &right);
    for (std::size_t i = 0; i < left.size(); ++i)
        ASSERT_EQ (left[i], 0.25f) << i;

    // Every line position written while off holds 0; the impulse before them is kept.
    for (const auto* line : { rig.echo.line (0), rig.echo.line (1) })
    {
        EXPECT_NE (line[firstWrittenOff - 100], 0.0);
        for (int i = firstWrittenOff; i < rig.echo.writeIndex; ++i)
            ASSERT_EQ (line[i], 0.0) << i;
    }
}

// Every position a block reached, including one that ran across the end of the line, must read 0
// after a clear or a prepare.
TEST (EchoEngine, ClearingEmptiesEveryPositionWrittenSinceTheLastClear)
{
    struct Case
    {
        int start;
        bool throughPrepare;
    };

    for (const auto [start, throughPrepare] : { Case { 0, true }, Case { EchoEngine::lineLength - 300, false }, Case { EchoEngine::lineLength - 300, true } })
    {
        EchoRig rig;
        for (const auto blockStart : { start, 0 })
        {
            rig.echo.writeIndex = blockStart;
            std::vector<float> left (1000, 0.5f), right (left);
            rig.run (left, &right);
            const auto written = [&] (int i)
            { return (blockStart + i) % EchoEngine::lineLength; };
            ASSERT_NE (rig.echo.line (0)[written (0)], 0.0);
            ASSERT_NE (rig.echo.line (1)[written (999)], 0.0);

            if (throughPrepare)
                rig.echo.prepare (48000.0);
            else
                rig.echo.clearLines();

            EXPECT_EQ (rig.echo.writeIndex, 0);
            for (const auto* line : { rig.echo.line (0), rig.echo.line (1) })
                for (int i = 0; i < 1000; ++i)
                    ASSERT_EQ (line[written (i)], 0.0) << start << " " << blockStart << " " << i;
        }
    }
}

TEST (EchoEngine, MonoKeepsTheRightLineSilent)
{
    EchoRig rig;
    rig.settings.spread = 0.4f;
    rig.settle();
    std::vector<float> mono (20000, 0.0f);
    mono[0] = 0.5f;
    rig.run (mono, nullptr);

    const auto echoed = 0.5f * (0.25f + 512.0f) / (64.0f * 0.25f + 512.0f);
    EXPECT_NEAR (mono[18001], echoed * (0.4f + 0.6f / 2.0f), 1e-6f);
    for (int i = 0; i < EchoEngine::lineLength; i += 997)
        ASSERT_EQ (rig.echo.line (1)[i], 0.0);
}

TEST (EchoEngine, MonoKeepsTheRightDampingPairRunning)
{
    // Without feedback both loop states carry the same input in mono, so both damping pairs hold
    // the same state: the right pair is current should the layout turn stereo.
    EchoRig rig;
    rig.settings.damp = 50.0f;
    std::vector<float> mono (2000);
    for (std::size_t i = 0; i < mono.size(); ++i)
        mono[i] = std::sin (0.05f * static_cast<float> (i));
    rig.run (mono, nullptr);

    const auto highPassLeft = rig.echo.highPassLeft.processSingleSampleRaw (0.0f);
    const auto lowPassLeft = rig.echo.lowPassLeft.processSingleSampleRaw (0.0f);
    EXPECT_NE (lowPassLeft, 0.0f);
    EXPECT_EQ (rig.echo.highPassRight.processSingleSampleRaw (0.0f), highPassLeft);
    EXPECT_EQ (rig.echo.lowPassRight.processSingleSampleRaw (0.0f), lowPassLeft);
}

TEST (EchoEngine, MixZeroLeavesTheBufferAlone)
{
    EchoRig rig;
    rig.settings.mix = 0.0f;
    rig.settings.feedback = 0.8f;
    std::vector<float> left (50000), right (50000);
    for (std::size_t i = 0; i < left.size(); ++i)
        left[i] = right[i] = std::sin (0.02f * static_cast<float> (i));
    const auto expected = left;
    rig.run (left, &right);
    EXPECT_EQ (left, expected);
    EXPECT_EQ (right, expected);
}

TEST (EchoEngine, TempoLimitsAndNonPositiveTempo)
{
    // Four beats at 3 BPM would be 3,840,000 samples: the delay stops at the line.
    EchoRig slow;
    slow.bpm = 3.0;
    slow.settings.rate1 = slow.settings.rate2 = 0;
    for (int i = 0; i < 10; ++i)
        slow.settle();
    EXPECT_EQ (slow.echo.delayTargetLeft, EchoEngine::longestDelay);
    EXPECT_LE (slow.echo.delayLengthLeft, EchoEngine::longestDelay);

    // A tempo of 0 keeps the targets of the last good tempo.
    EchoRig still;
    still.settle();
    still.bpm = 0.0;
    still.settings.rate1 = 0;
    still.settle();
    EXPECT_DOUBLE_EQ (still.echo.delayTargetLeft, 18000.0);
    EXPECT_EQ (still.echo.gateClock.samplesPerBeat, 0.0);
}

TEST (EchoEngine, NonFiniteInputDoesNotStick)
{
    EchoRig rig;
    rig.settings.feedback = 0.9f;
    rig.settings.damp = 40.0f;
    rig.settings.rate1 = rig.settings.rate2 = 17;
    std::vector<float> left (2000, 0.1f), right (left);
    left[10] = std::numeric_limits<float>::quiet_NaN();
    right[20] = std::numeric_limits<float>::infinity();
    left[30] = 1e30f;
    rig.run (left, &right);

    std::vector<float> next (4000, 0.1f), nextRight (next);
    rig.run (next, &nextRight);
    for (std::size_t i = 0; i < next.size(); ++i)
    {
        ASSERT_TRUE (std::isfinite (next[i])) << i;
        ASSERT_TRUE (std::isfinite (nextRight[i])) << i;
    }
}

TEST (EchoEngine, NonFiniteLeftLoopLeavesTheRightChannelAlone)
{
    // The damping filters of both channels run together; starting the left loop afresh must not
    // touch the right channel, which at full spread hears only its own line.
    EchoRig clean, hit;
    for (auto* rig : { &clean, &hit })
    {
        rig->settings.feedback = 0.9f;
        rig->settings.damp = 40.0f;
        rig->settings.spread = 1.0f;
        rig->settings.rate1 = rig->settings.rate2 = 17;
    }

    for (int block = 0; block < 2; ++block)
    {
        std::vector<float> cleanLeft (3000), cleanRight (3000);
        for (std::size_t i = 0; i < cleanLeft.size(); ++i)
        {
            cleanLeft[i] = 0.3f * std::sin (0.01f * static_cast<float> (i));
            cleanRight[i] = 0.2f * std::sin (0.03f * static_cast<float> (i));
        }
        auto hitLeft = cleanLeft, hitRight = cleanRight;
        if (block == 0)
            hitLeft[10] = 1e30f; // finite through the filters, too large for the clipper

        clean.run (cleanLeft, &cleanRight);
        hit.run (hitLeft, &hitRight);
        ASSERT_EQ (hitRight, cleanRight) << block;
        for (auto sample : hitLeft)
            ASSERT_TRUE (block == 0 || std::isfinite (sample));
    }

    EXPECT_EQ (hit.echo.highPassRight.processSingleSampleRaw (0.0f), clean.echo.highPassRight.processSingleSampleRaw (0.0f));
    EXPECT_EQ (hit.echo.lowPassRight.processSingleSampleRaw (0.0f), clean.echo.lowPassRight.processSingleSampleRaw (0.0f));
}

TEST (EchoEngine, FreakoutScalesTheDelayAndOpensTheDamping)
{
    EchoRig rig;
    rig.settings.freakout = 1.0f;
    rig.settings.damp = 50.0f;
    rig.settings.freakoutRate = 0; // 16 beats: no new draw within these blocks
    rig.ppq = 1.0;
    rig.settle();
    rig.echo.freakoutClock.heldRandomValue = 0.5f;
    rig.echo.freakoutRandomSmoothed = 0.5f;
    std::vector<float> left (1, 0.0f), right (left);
    rig.run (left, &right);
    EXPECT_DOUBLE_EQ (rig.echo.delayTargetLeft, 9000.0);
    EXPECT_FLOAT_EQ (rig.echo.lastLowPassCutoff, 10000.0f);
    EXPECT_FLOAT_EQ (rig.echo.lastHighPassCutoff, 20.0f);

    // Amount 0: the damping is as without Freakout, and the delay is whole.
    rig.settings.freakout = 0.0f;
    rig.settle();
    EXPECT_DOUBLE_EQ (rig.echo.delayTargetLeft, 18000.0);
    EXPECT_FLOAT_EQ (rig.echo.lastLowPassCutoff, 10000.0f - 3750.0f);
    EXPECT_FLOAT_EQ (rig.echo.lastHighPassCutoff, 20.0f + 440.0f);

    // A negative random value leaves the delays alone.
    rig.settings.freakout = 1.0f;
    rig.echo.freakoutClock.heldRandomValue = -0.7f;
    rig.echo.freakoutRandomSmoothed = -0.7f;
    rig.settle();
    EXPECT_DOUBLE_EQ (rig.echo.delayTargetLeft, 18000.0);
}
} // namespace
