#include "processor/ToneEngine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace
{
// A tone engine driven block by block at 48 kHz and 120 BPM. Tone mix 0 shows the modulated
// input itself, before the filters.
struct ToneRig
{
    explicit ToneRig (double rate = 48000.0)
        : sampleRate (rate) { tone.prepare (rate); }

    void run (std::vector<float>& left, std::vector<float>* right)
    {
        const auto numSamples = static_cast<int> (left.size());
        tone.startBlock (settings, 120.0, ppq);
        tone.process (left.data(), right != nullptr ? right->data() : nullptr, numSamples);
        ppq += numSamples * 2.0 / sampleRate;
    }

    std::vector<float> runConstant (float value, int numSamples)
    {
        std::vector<float> left (static_cast<std::size_t> (numSamples), value), right (left);
        run (left, &right);
        return left;
    }

    double sampleRate;
    ToneEngine tone;
    ToneSettings settings;
    double ppq = 0.0;
};

TEST (ToneEngine, SmoothersReadSeveralTimesFinishEarly)
{
    ToneRig rig;
    rig.runConstant (0.0f, 16);
    rig.settings.filterCut = 1000.0f;
    rig.settings.filterRes = 50.0f;
    rig.settings.bandSplitter = 500.0f;

    // Filter cut: 2,400 steps read twice a sample; resonance: 480 steps read three times.
    rig.runConstant (0.0f, 159);
    EXPECT_TRUE (rig.tone.filterRes.isSmoothing());
    rig.runConstant (0.0f, 1);
    EXPECT_FALSE (rig.tone.filterRes.isSmoothing());
    rig.runConstant (0.0f, 1039);
    EXPECT_TRUE (rig.tone.filterCut.isSmoothing());
    rig.runConstant (0.0f, 1);
    EXPECT_FALSE (rig.tone.filterCut.isSmoothing());
    // The band splitter is read once: 2,400 samples.
    EXPECT_TRUE (rig.tone.bandSplitter.isSmoothing());
    rig.runConstant (0.0f, 1200);
    EXPECT_FALSE (rig.tone.bandSplitter.isSmoothing());
}

struct GateCase
{
    int type;
    float rate; // per sample; 0 for an instant switch
};

TEST (ToneEngine, GateTypesSwitchOrGlide)
{
    for (const auto c : { GateCase { 0, 0.0f }, GateCase { 1, 0.003f }, GateCase { 2, 0.0004f } })
    {
        ToneRig rig;
        rig.settings.toneMix = 0.0f;
        rig.settings.lfoPowerOn = false;
        rig.settings.gatePowerOn = true;
        rig.settings.gateType = c.type;
        rig.settings.ampModDepth = 1.0f;

        // All steps lit: no attenuation at all.
        auto lit = rig.runConstant (0.5f, 4800);
        EXPECT_EQ (lit.back(), 0.5f) << c.type;

        // All unlit with full depth: silence, at once or along the envelope.
        rig.settings.stepOn.fill (false);
        const auto unlit = rig.runConstant (0.5f, 48000);
        if (c.rate == 0.0f)
        {
            EXPECT_EQ (unlit[0], 0.0f);
        }
        else
        {
            for (const auto k : { 0, 100, 1000 })
                EXPECT_NEAR (unlit[static_cast<std::size_t> (k)], 0.5f * std::pow (1.0f - c.rate, static_cast<float> (k + 1)), 1e-4f) << c.type << " " << k;
        }
        EXPECT_NEAR (unlit.back(), 0.0f, 1e-4f) << c.type;
    }
}

TEST (ToneEngine, ShortGateNeverReachesTheLaterSteps)
{
    // Length 4 at one beat a step: steps 5 to 8 unlit change nothing over several cycles.
    ToneRig rig;
    rig.settings.toneMix = 0.0f;
    rig.settings.lfoPowerOn = false;
    rig.settings.gatePowerOn = true;
    rig.settings.ampModDepth = 1.0f;
    rig.settings.gateRate = 4;
    rig.settings.gateLength = 4.0f;
    rig.runConstant (0.5f, 480); // the drive ramps up from 0 after prepare
    rig.settings.stepOn = { true, true, true, true, false, false, false, false };
    const auto out = rig.runConstant (0.5f, 24000 * 12);
    for (std::size_t i = 0; i < out.size(); i += 7)
        ASSERT_EQ (out[i], 0.5f) << i;
}

TEST (ToneEngine, ResonanceZeroIsNeutral)
{
    ToneRig rig;
    rig.settings.filterCut = 2000.0f;
    rig.runConstant (0.1f, 9600);

    const auto peak = rig.tone.filters[0].resonancePeak.getCoefficients();
    EXPECT_FLOAT_EQ (peak.coefficients[0], 1.0f);
    EXPECT_EQ (peak.coefficients[1], peak.coefficients[3]);
    EXPECT_EQ (peak.coefficients[2], peak.coefficients[4]);

    // Low-pass Q 1; the cutoff carries the LFO term, so rebuild it from the stored key.
    const auto cutoff = (rig.tone.filterKey - 1.0f) / 2.0f;
    const auto expected = juce::IIRCoefficients::makeLowPass (48000.0, cutoff, 1.0);
    const auto actual = rig.tone.filters[0].cutLowPass.getCoefficients();
    for (int k = 0; k < 5; ++k)
        EXPECT_NEAR (actual.coefficients[k], expected.coefficients[k], 1e-5f) << k;
}

TEST (ToneEngine, SkippingWhileOffKeepsRampsButTheMixWaits)
{
    ToneRig rig;
    rig.runConstant (0.0f, 4800);
    rig.settings.bandSplitter = 800.0f;
    rig.settings.toneMix = 0.5f;
    rig.tone.startBlock (rig.settings, 120.0, 0.0);
    rig.tone.skipWhileOff (2400);

    EXPECT_FALSE (rig.tone.bandSplitter.isSmoothing());
    EXPECT_EQ (rig.tone.bandSplitter.getCurrentValue(), 800.0f);
    EXPECT_TRUE (rig.tone.toneMix.isSmoothing());
    EXPECT_EQ (rig.tone.toneMix.getCurrentValue(), 1.0f);
}

TEST (ToneEngine, FreakoutPullsTheCutoffToTheHeldValue)
{
    ToneRig rig;
    rig.settings.lfoPowerOn = false;
    rig.settings.freakout = 1.0f;
    rig.settings.freakoutRate = 0; // 16 beats: no draw in this block
    rig.ppq = 1.0;
    rig.runConstant (0.0f, 1);
    rig.tone.freakoutClock.heldRandomValue = 0.6f;
    rig.runConstant (0.0f, 4800);

    // 0.5 - 0.5 * 0.6 = 0.2: both cutoffs go to 2 kHz.
    EXPECT_FLOAT_EQ (rig.tone.freakoutFilterTarget, 0.2f);
    EXPECT_NEAR (rig.tone.filterKey, 2000.0f + 2000.0f + 1.0f, 0.01f);

    rig.settings.freakoutFilterOn = false;
    rig.runConstant (0.0f, 1);
    EXPECT_EQ (rig.tone.filterKey, 20000.0f + 20000.0f + 1.0f);
}

TEST (ToneEngine, MonoRunsTheLeftChainAsInStereo)
{
    ToneRig mono, stereo;
    for (auto* rig : { &mono, &stereo })
    {
        rig->settings.filterCut = 3000.0f;
        rig->settings.filterRes = 40.0f;
        rig->settings.satMix = 0.5f;
        rig->settings.lfoOffset = 30.0f;
        rig->settings.filterModDepth = 0.6f;
    }

    std::vector<float> monoLeft (20000), stereoLeft (20000), stereoRight (20000);
    for (std::size_t i = 0; i < monoLeft.size(); ++i)
        monoLeft[i] = stereoLeft[i] = stereoRight[i] = std::sin (0.03f * static_cast<float> (i));
    mono.run (monoLeft, nullptr);
    stereo.run (stereoLeft, &stereoRight);
    EXPECT_EQ (monoLeft, stereoLeft);
    EXPECT_NE (stereoLeft, stereoRight);
}

// A non-finite sample starts only its own channel's filters afresh: that channel gives 0 there
// and finite output after, and the other channel gives what it would have given anyway. With
// and without the shaper, which takes its own path when it is off.
TEST (ToneEngine, NonFiniteInputRestartsOnlyItsChannel)
{
    for (const auto satMix : { 0.0f, 0.7f })
        for (const auto bad : { std::numeric_limits<float>::quiet_NaN(), -std::numeric_limits<float>::infinity() })
        {
            ToneRig rig, reference;
            for (auto* r : { &rig, &reference })
            {
                r->settings.filterRes = 80.0f;
                r->settings.satMix = satMix;
            }

            std::vector<float> left (512), right (512);
            for (std::size_t i = 0; i < left.size(); ++i)
                left[i] = right[i] = 0.2f * std::sin (0.05f * static_cast<float> (i));
            auto expectedLeft = left, expectedRight = right;
            left[3] = bad;
            expectedLeft[3] = 0.0f;
            rig.run (left, &right);
            reference.run (expectedLeft, &expectedRight);

            EXPECT_EQ (left[3], 0.0f) << satMix;
            EXPECT_EQ (right, expectedRight) << satMix;
            for (const auto sample : left)
                ASSERT_TRUE (std::isfinite (sample)) << satMix;

            const auto next = rig.runConstant (0.2f, 512);
            for (const auto sample : next)
                ASSERT_TRUE (std::isfinite (sample)) << satMix;
        }
}
} // namespace
