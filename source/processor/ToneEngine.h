#pragma once

#include "Biquad.h"
#include "GateClock.h"
#include "Lfo.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <array>

// What the tone section reads once per block, in the units of the value fields. The member
// defaults are the parameters' defaults.
struct ToneSettings
{
    float bandSplitter = 200.0f;
    float inputDriveGain = 1.0f;
    float bassFreq = 68.0f;
    float bassLevel = 0.0f;
    float filterCut = 20000.0f;
    float filterRes = 0.0f;
    float satCrunch = 0.0f;
    float satMix = 0.0f;
    float toneMix = 1.0f;
    bool driveMixOn = true;
    int lfoWave = 0;
    int lfoRate = 9;
    float lfoOffset = 0.0f;
    bool lfoPowerOn = true;
    int gateRate = 8;
    float gateLength = 8.0f;
    int gateType = 0;
    bool gatePowerOn = false;
    float filterModDepth = 0.0f;
    float ampModDepth = 0.0f;
    float waveShift = 0.25f;
    std::array<bool, 8> stepOn { true, true, true, true, true, true, true, true };
    float modTotal = 100.0f;
    float freakout = 0.0f;
    int freakoutRate = 6;
    bool freakoutFilterOn = true;
};

// The tone section: amplitude modulation from the LFO and the step gate, drive, a crossover,
// a bass peak on the low band, a modulated resonant low-pass on the high band, saturation and
// the tone mix. Driven one block at a time: startBlock, then process (or skipWhileOff).
class ToneEngine
{
public:
    using Smoother = juce::SmoothedValue<float, juce::ValueSmoothingTypes::Linear>;

    void prepare (double newSampleRate);
    void restartClocks (double phase);

    // Takes the block's settings, tempo and position; sets the clocks and the smoother targets.
    void startBlock (const ToneSettings& newSettings, double bpm, double ppq);

    // Works in place; right is null for a single output channel.
    void process (float* left, float* right, int numSamples);

    // While the section is off its ramps keep time, except the tone mix, which waits.
    void skipWhileOff (int numSamples);

    LFO freakoutClock;
    LFO toneLfo;
    GateClock gateClock;

    Smoother bandSplitter { 20.0f };
    Smoother inputDrive { 0.0f };
    Smoother bassFreq { 30.0f };
    Smoother bassLevel { 0.1f };
    Smoother filterCut { 20000.0f };
    Smoother filterRes { 0.1f };
    Smoother filterModDepth { 0.0f };
    Smoother ampModDepth { 0.0f };
    Smoother lfoOffset { 0.0f };
    Smoother waveShift { 0.0f };
    Smoother modTotal { 0.0f };
    Smoother toneMix { 0.0f };
    Smoother freakout { 0.0f };

    struct ChannelFilters
    {
        Biquad splitHighPass1, splitHighPass2, splitLowPass1, splitLowPass2;
        Biquad bassPeak, resonancePeak, cutLowPass;
    };

    std::array<ChannelFilters, 2> filters;
    std::array<float, 2> filterLfoFollower {};
    std::array<float, 2> ampLfoFollower {};
    float freakoutFilterTarget = 0.0f;
    std::array<float, 4> gateEnvelope {};
    float splitKey = 1e20f;
    float bassKey = 1e20f;
    float filterKey = 1e20f;
    double sampleRate = -1.0;

private:
    template <bool ramping>
    void processSamples (float* left, float* right, int numSamples);

    ToneSettings settings;
};
