#pragma once

#include "Biquad.h"
#include "GateClock.h"
#include "Lfo.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <array>
#include <cstdlib>
#include <memory>

// What the echo section reads once per block, in the units of the value fields. The member
// defaults are the parameters' defaults, converted as the listeners convert them.
struct EchoSettings
{
    int rate1 = 7;
    int rate2 = 7;
    bool rateLinkOn = false;
    bool pingPongOn = false;
    float inputGain = 1.0f;
    float spread = 0.0f;
    float feedback = 30.0f * 0.01f;
    float damp = 0.0f;
    float mix = 30.0f * 0.01f;
    bool powerOn = true;
    int gateRate = 8;
    float gateLength = 8.0f;
    float inputModLevel = 0.0f;
    float feedModLevel = 0.0f;
    bool gatePowerOn = true;
    std::array<bool, 8> stepOn { true, true, true, true, true, true, true, true };
    float modTotal = 100.0f;
    float freakout = 0.0f;
    int freakoutRate = 6;
    bool freakoutEchoOn = true;
};

// The tempo-synced stereo echo with its modulation gate and the Freakout delay and damping
// source. The two delay lines are allocated once, here; nothing allocates afterwards. They come
// zeroed from the system and take no memory until the first prepare makes them resident, so an
// instance that is never prepared (a host scanning its plug-ins) stays cheap.
class EchoEngine
{
public:
    using Smoother = juce::SmoothedValue<float, juce::ValueSmoothingTypes::Linear>;

    static constexpr int lineLength = 3072000;
    // The read interpolates towards the sample after pos, so the longest usable delay is one
    // sample short of the line.
    static constexpr double longestDelay = lineLength - 1;

    EchoEngine();

    void prepare (double newSampleRate);
    // Empties the lines and the feedback loops and starts writing at the start of the lines.
    void clearLines();
    void restartClocks (double phase);

    // Takes the block's settings, tempo and position and prepares the clocks, ramps and gate.
    void startBlock (const EchoSettings& newSettings, double bpm, double ppq);

    // Works in place; right is null for a single output channel.
    void process (float* left, float* right, int numSamples);

    double* line (int channel) { return delayMemory.get() + (channel == 0 ? 0 : lineLength); }

    GateClock gateClock;
    LFO freakoutClock;
    Biquad lowPassLeft, lowPassRight, highPassLeft, highPassRight;
    double sampleRate = -1.0;
    float gateLevel = 0.0f;
    float gateLevelSlow = 0.0f;
    float freakoutRandomSmoothed = 0.0f;
    std::unique_ptr<double[], decltype (&std::free)> delayMemory;
    float feedbackLeft = 0.0f;
    float feedbackRight = 0.0f;
    double delayTargetLeft = 0.0;
    double delayTargetRight = 0.0;
    double delayLengthLeft = 0.0;
    double delayLengthRight = 0.0;
    int writeIndex = 0;
    float lastLowPassCutoff = 1e20f;
    float lastHighPassCutoff = 1e20f;

    Smoother inputModLevelSmoother { 0.0f };
    Smoother feedModLevelSmoother { 0.0f };
    Smoother feedbackSmoother { 0.0f };
    Smoother dampSmoother { 20.0f };
    Smoother inputGainSmoother { 0.0f };
    Smoother spreadSmoother { 0.0f };
    Smoother mixSmoother { 0.0f };
    Smoother modTotalSmoother { 0.0f };
    Smoother freakoutSmoother { 0.0f };

private:
    void makeLinesResident();

    template <bool ramping>
    void processSamples (float* left, float* right, int numSamples);

    EchoSettings settings;
    GatePattern gatePattern;
    double gatePatternBeats = 0.0;
    double bpm = 0.0;
    double delaySeconds1 = 0.0;
    double delaySeconds2 = 0.0;
    // Whether a prepare has made every page of the lines resident; until then nothing has
    // written them.
    bool linesResident = false;
};
