#include "processor/EchoEngine.h"

#include <gtest/gtest.h>

namespace
{
GatePattern patternWith (int stepCount, std::array<bool, 8> stepOn)
{
    GatePattern pattern;
    pattern.setSteps (stepOn);
    for (int k = 1; k <= 7; ++k)
        pattern.boundaries[static_cast<std::size_t> (k - 1)] = 1.0f / (static_cast<float> (stepCount) / static_cast<float> (k));
    return pattern;
}

TEST (GateClock, StepSelectionFollowsThePhase)
{
    // Only step 3 is unlit; eight steps, so step 3 covers phases (0.25, 0.375].
    const auto pattern = patternWith (8, { true, true, false, true, true, true, true, true });
    struct Case
    {
        float phase;
        float value;
    };
    const Case cases[] = { { -0.3f, 0.0f }, { 0.0f, 0.0f }, { 0.25f, 0.0f }, { 0.26f, 1.0f }, { 0.375f, 1.0f }, { 0.376f, 0.0f }, { 0.99f, 0.0f } };
    for (const auto& c : cases)
        EXPECT_EQ (pattern.valueAt (c.phase), c.value) << c.phase;
}

TEST (GateClock, ShortPatternNeverReachesTheLaterSteps)
{
    // Length 4 with steps 5 to 8 unlit: every phase of the pattern lands on steps 1 to 4.
    const auto pattern = patternWith (4, { true, true, true, true, false, false, false, false });
    for (int i = 0; i < 1000; ++i)
        EXPECT_EQ (pattern.valueAt (static_cast<float> (i) / 1000.0f), 0.0f) << i;

    GateClock clock;
    clock.sampleRate = 48000.0;
    clock.startBlock (120.0, 0.0);
    // Four one-beat steps: the pattern repeats every 4 beats.
    const auto patternBeats = 4.0 * beatsAt (gateStepBeats, 4);
    clock.ppq = 5.5;
    EXPECT_FLOAT_EQ (clock.patternPhase (patternBeats), 0.375f);
    EXPECT_EQ (clock.samplesPerBeat, 24000.0);
}

TEST (GateClock, PhaseStoredAtTheEndMatchesTheLastSample)
{
    GateClock clock;
    clock.sampleRate = 48000.0;
    clock.startBlock (120.0, 0.0);
    for (int i = 0; i < 999; ++i)
        clock.advance();
    const auto lastPosition = clock.ppq;
    clock.patternPhase (2.0);
    const auto perSample = clock.phase;

    clock.advance();
    const auto after = clock.ppq;
    clock.phase = 0.0;
    clock.storePhaseAt (lastPosition, 2.0);
    EXPECT_EQ (clock.phase, perSample);
    EXPECT_EQ (clock.ppq, after);
}

TEST (GateClock, ZeroLengthPatternHoldsItsPhase)
{
    GateClock clock;
    clock.sampleRate = 48000.0;
    clock.startBlock (120.0, 3.3);
    EXPECT_EQ (clock.patternPhase (beatsAt (gateStepBeats, 10) * 8.0), 0.0f);

    clock.startBlock (0.0, 1.0);
    EXPECT_EQ (clock.samplesPerBeat, 0.0);
    EXPECT_EQ (clock.beatsPerSample, 0.0);
}

struct EchoGate : ::testing::Test
{
    void SetUp() override
    {
        echo.prepare (48000.0);
        settings.mix = 0.0f;
    }

    // Runs silence through the echo and returns the slow gate stage after each block.
    void run (int numSamples)
    {
        std::vector<float> left (static_cast<std::size_t> (numSamples)), right (left);
        echo.startBlock (settings, 120.0, ppq);
        echo.process (left.data(), right.data(), numSamples);
        ppq += numSamples * 2.0 / 48000.0;
    }

    EchoEngine echo;
    EchoSettings settings;
    double ppq = 0.0;
};

TEST_F (EchoGate, BoundariesAreWorkedOutInSinglePrecisionAsWritten)
{
    // A phase on a boundary belongs to the step below it. For 7 of 8 steps 1 / (8 / 7) in single
    // precision is 0.87499994f, not 7 / 8, so a phase of exactly 0.875f is already on step 8.
    struct Row
    {
        int stepCount;
        float phase;
        int step;
    };
    const Row rows[] = { { 5, 0.2f, 1 }, { 5, 0.6f, 3 }, { 5, 0.8f, 4 }, { 8, 0.87499994f, 7 }, { 8, 0.875f, 8 } };

    settings.gateRate = 4; // one beat a step
    for (const auto& row : rows)
    {
        settings.gateLength = static_cast<float> (row.stepCount);
        for (int unlit = 1; unlit <= 8; ++unlit)
        {
            // With only this step unlit the first gate stage moves after one sample exactly when
            // the phase is on it.
            settings.stepOn.fill (true);
            settings.stepOn[static_cast<std::size_t> (unlit - 1)] = false;
            echo.gateLevel = 0.0f;
            ppq = static_cast<double> (row.phase) * row.stepCount;
            run (1);
            EXPECT_EQ (echo.gateLevel, unlit == row.step ? 0.02f : 0.0f) << row.stepCount << " steps, phase " << row.phase << ", step " << unlit << " unlit";
        }
    }
}

TEST_F (EchoGate, TwoStagesRampToTheStepValue)
{
    // All steps unlit: the target is 1. The first stage closes 2 % of the gap and snaps within
    // 0.01; the second follows with 0.0008 per sample.
    settings.stepOn.fill (false);
    run (1);
    EXPECT_FLOAT_EQ (echo.gateLevel, 0.02f);
    EXPECT_FLOAT_EQ (echo.gateLevelSlow, static_cast<float> (0.02 * 0.0008));

    run (300);
    EXPECT_EQ (echo.gateLevel, 1.0f);
    EXPECT_GT (echo.gateLevelSlow, 0.1f);
    EXPECT_LT (echo.gateLevelSlow, 0.3f);

    run (20000);
    EXPECT_GT (echo.gateLevelSlow, 0.999f);
}

TEST_F (EchoGate, AllStepsLitDecaysTowardsNoEffect)
{
    echo.gateLevelSlow = 1.0f;
    echo.gateLevel = 1.0f;
    run (30000);
    EXPECT_EQ (echo.gateLevel, 0.0f);
    EXPECT_LT (echo.gateLevelSlow, 1e-8f);
}

TEST_F (EchoGate, GateOffMakesBothFactorsExactlyOne)
{
    // A gate that was fully closed on the input: switching it off lets the input through at once.
    settings.mix = 1.0f;
    settings.feedback = 0.0f;
    settings.inputModLevel = 1.0f;
    settings.stepOn.fill (false);
    run (48000);

    settings.gatePowerOn = false;
    std::vector<float> left (20000, 0.0f), right (left);
    left[0] = right[0] = 1.0f;
    echo.startBlock (settings, 120.0, ppq);
    echo.process (left.data(), right.data(), 20000);
    // The delay has long glided up to 18,000 samples; the read lies one behind. The full-level
    // impulse comes back through the clipper, which gives 0.890625 for 1.
    EXPECT_FLOAT_EQ (left[18001], 0.890625f);
    EXPECT_FLOAT_EQ (right[18001], 0.890625f);
}
} // namespace
