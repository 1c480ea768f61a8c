#include "ToneEngine.h"

#include "DesignFrequency.h"
#include "RampRead.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace
{
using Coefficients = juce::IIRCoefficients;

constexpr std::array<float, 4> gateEnvelopeRates { 0.003f, 0.0004f, 0.005f, 0.0008f };

// A modulation value follows its target by 2 % a sample and snaps once within 0.01.
void follow (float& value, float target)
{
    const auto gap = target - value;
    value = std::abs (gap) < 0.01f ? target : value + 0.02f * gap;
}

float unitClamp (float value)
{
    return juce::jlimit (0.0f, 1.0f, value);
}

double clampHz (float value, float low, float high, double sampleRate)
{
    return designFrequency (static_cast<double> (juce::jlimit (low, high, value)), sampleRate);
}

void advanceSmoother (ToneEngine::Smoother& smoother, int numSamples)
{
    for (int i = 0; i < numSamples && smoother.isSmoothing(); ++i)
        smoother.getNextValue();
}
} // namespace

void ToneEngine::prepare (double newSampleRate)
{
    sampleRate = newSampleRate;
    freakoutClock.sampleRate = newSampleRate;
    toneLfo.sampleRate = newSampleRate;
    gateClock.sampleRate = newSampleRate;

    for (auto* smoother : { &bandSplitter, &bassFreq, &filterCut })
        smoother->reset (newSampleRate, 0.05);

    for (auto* smoother : { &inputDrive, &bassLevel, &filterRes, &filterModDepth, &ampModDepth, &lfoOffset, &waveShift, &modTotal, &toneMix, &freakout })
        smoother->reset (newSampleRate, 0.01);

    filterLfoFollower = {};
    ampLfoFollower = {};
    freakoutFilterTarget = 0.0f;
    gateEnvelope = {};
    splitKey = 1e20f;
    bassKey = 1e20f;
    filterKey = 1e20f;
}

void ToneEngine::restartClocks (double phase)
{
    freakoutClock.phase = phase;
    toneLfo.phase = phase;
    gateClock.phase = phase;
}

void ToneEngine::startBlock (const ToneSettings& newSettings, double bpm, double ppq)
{
    settings = newSettings;

    freakoutClock.startBlock (bpm, ppq);
    toneLfo.startBlock (bpm, ppq);
    gateClock.startBlock (bpm, ppq);

    bandSplitter.setTargetValue (settings.bandSplitter);
    inputDrive.setTargetValue (settings.inputDriveGain);
    bassFreq.setTargetValue (settings.bassFreq);
    bassLevel.setTargetValue (settings.bassLevel);
    filterCut.setTargetValue (settings.filterCut);
    filterRes.setTargetValue (settings.filterRes);
    filterModDepth.setTargetValue (settings.filterModDepth);
    ampModDepth.setTargetValue (settings.ampModDepth);
    lfoOffset.setTargetValue (settings.lfoOffset);
    waveShift.setTargetValue (settings.waveShift);
    modTotal.setTargetValue (settings.modTotal);
    toneMix.setTargetValue (settings.toneMix);
    freakout.setTargetValue (settings.freakout);
}

void ToneEngine::skipWhileOff (int numSamples)
{
    for (auto* smoother : { &bandSplitter, &inputDrive, &bassFreq, &bassLevel, &filterCut, &filterRes, &filterModDepth, &ampModDepth, &lfoOffset, &waveShift, &modTotal, &freakout })
        advanceSmoother (*smoother, numSamples);
}

void ToneEngine::process (float* left, float* right, int numSamples)
{
    auto ramping = false;
    for (const auto* smoother : { &bandSplitter, &inputDrive, &bassFreq, &bassLevel, &filterCut, &filterRes, &filterModDepth, &ampModDepth, &lfoOffset, &waveShift, &modTotal, &toneMix, &freakout })
        ramping = ramping || smoother->isSmoothing();

    if (ramping)
        processSamples<true> (left, right, numSamples);
    else
        processSamples<false> (left, right, numSamples);
}

template <bool ramping>
void ToneEngine::processSamples (float* left, float* right, int numSamples)
{
    const auto numChannels = right != nullptr ? 2 : 1;
    float* const channels[] = { left, right };
    const auto& s = settings;

    const auto stepCount = static_cast<int> (s.gateLength);
    GatePattern gate;
    gate.setSteps (s.stepOn);
    for (int k = 1; k <= 7; ++k)
        gate.boundaries[static_cast<std::size_t> (k - 1)] = static_cast<float> (k) / static_cast<float> (stepCount);

    const auto patternBeats = static_cast<double> (stepCount) * beatsAt (gateStepBeats, s.gateRate);
    const auto lfoBeats = beatsAt (freakoutRateBeats, s.lfoRate);
    const auto freakoutBeats = beatsAt (freakoutRateBeats, s.freakoutRate);
    const auto filterEnvelope = s.gateType == 0 ? 2u : (s.gateType == 1 ? 3u : 1u);

    gateClock.periodSamples = static_cast<float> (patternBeats * gateClock.samplesPerBeat);
    gateClock.stepCount = stepCount;
    gateClock.enabled = s.gatePowerOn;
    toneLfo.cyclesPerSample = lfoBeats != 0.0 ? (toneLfo.bpm / 60.0 / sampleRate) / lfoBeats : 0.0;
    toneLfo.enabled = s.lfoPowerOn;

    const auto crunchDrive = 1.0f + 4.0f * s.satCrunch / 100.0f;
    const auto crunchScale = 1.0f - 0.5f * s.satCrunch / 100.0f;
    const auto satMix = s.satMix;
    const auto cleanMix = 1.0f - satMix;

    // The running state is worked on in locals and stored back at the end: as far as the
    // compiler knows, every store into the buffer could change a member.
    auto lfo = toneLfo;
    auto freakoutTimer = freakoutClock;
    auto gateTimer = gateClock;
    auto filterFollowers = filterLfoFollower;
    auto ampFollowers = ampLfoFollower;
    auto freakoutTarget = freakoutFilterTarget;
    auto envelopes = gateEnvelope;
    auto splitAt = splitKey;
    auto bassAt = bassKey;
    auto filterAt = filterKey;
    auto bandSplitterRamp = bandSplitter;
    auto inputDriveRamp = inputDrive;
    auto bassFreqRamp = bassFreq;
    auto bassLevelRamp = bassLevel;
    auto filterCutRamp = filterCut;
    auto filterResRamp = filterRes;
    auto filterModDepthRamp = filterModDepth;
    auto ampModDepthRamp = ampModDepth;
    auto lfoOffsetRamp = lfoOffset;
    auto waveShiftRamp = waveShift;
    auto modTotalRamp = modTotal;
    auto toneMixRamp = toneMix;
    auto freakoutRamp = freakout;

    // What is formed from ramp values alone is formed once while no ramp moves; a moving ramp
    // forms it again every sample.
    const auto offsetOf = [] (float value)
    { return value * 0.25f / 100.0f; };
    const auto totalOf = [] (float value)
    { return value / 100.0f; };
    const auto bassGainOf = [] (float value)
    { return 1.0f + 9.0f * value / 100.0f; };
    const auto lowPassQOf = [] (float value)
    { return 1.0f + value / 100.0f; };
    const auto resonanceGainOf = [] (float value)
    { return 1.0f + 7.0f * value / 100.0f; };
    const auto compensationOf = [] (float value)
    { return 1.0f + (-0.19999999f * value) / 100.0f; };

    auto offset = offsetOf (lfoOffsetRamp.getTargetValue());
    auto total = totalOf (modTotalRamp.getTargetValue());
    auto bassGain = bassGainOf (bassLevelRamp.getTargetValue());
    auto lowPassQ = lowPassQOf (filterResRamp.getTargetValue());
    auto resonanceGain = resonanceGainOf (filterResRamp.getTargetValue());
    auto levelCompensation = compensationOf (filterResRamp.getTargetValue());
    auto dryLevel = std::sqrt (1.0f - toneMixRamp.getTargetValue());
    auto wetLevel = std::sqrt (toneMixRamp.getTargetValue());

    // The two channels' filter chains run side by side as lanes of one register.
    BiquadPair splitLow1, splitLow2, splitHigh1, splitHigh2, bassPair, resonancePair, cutLowPair;
    const std::pair<BiquadPair*, Biquad ChannelFilters::*> stages[] = {
        { &splitLow1, &ChannelFilters::splitLowPass1 }, { &splitLow2, &ChannelFilters::splitLowPass2 }, { &splitHigh1, &ChannelFilters::splitHighPass1 }, { &splitHigh2, &ChannelFilters::splitHighPass2 }, { &bassPair, &ChannelFilters::bassPeak }, { &resonancePair, &ChannelFilters::resonancePeak }, { &cutLowPair, &ChannelFilters::cutLowPass }
    };
    const auto takeStages = [&]
    {
        for (const auto& [pair, filter] : stages)
            pair->take (filters[0].*filter, filters[1].*filter);
    };
    const auto retake = [&] (BiquadPair& pair, Biquad ChannelFilters::*filter)
    { pair.takeCoefficients (filters[0].*filter, filters[1].*filter); };
    const auto putStages = [&]
    {
        for (const auto& [pair, filter] : stages)
            pair->putState (filters[0].*filter, filters[1].*filter, numChannels == 2);
    };
    takeStages();

    // The LFO depends on nothing else in the loop, so it runs ahead in short runs: its library
    // calls for one run no longer wait on the filters of every sample between them.
    constexpr int lfoRun = 32;
    std::array<std::array<float, 2>, lfoRun> filterFollowed {}, ampFollowed {};
    int lfoReady = 0, lfoNext = 0;
    const auto runLfo = [&] (int count)
    {
        // The followers are stepped as scalars and stored as whole pairs: storing each lane and
        // then copying the pair made every copy wait for the two stores.
        auto [filterLeft, filterRight] = filterFollowers;
        auto [ampLeft, ampRight] = ampFollowers;
        for (int k = 0; k < count; ++k)
        {
            const auto shift = nextRampValue<ramping> (waveShiftRamp);
            if constexpr (ramping)
                offset = offsetOf (lfoOffsetRamp.getNextValue());

            // The right channel reads it shifted by the offset. The phase always lies within
            // (-1, 1), so wave 6's own wrap leaves it unchanged and equal calls give equal values.
            const auto index = static_cast<std::size_t> (k);
            lfo.phase = beatPhase (lfo.ppq, lfoBeats);
            const auto lfoLeft = lfo.getSample (s.lfoWave, shift, 0.0f);
            const auto lfoRight = offset == 0.0f ? lfoLeft : lfo.getSample (s.lfoWave, shift, offset);
            follow (filterLeft, 0.5f - 0.5f * lfoLeft);
            follow (filterRight, 0.5f - 0.5f * lfoRight);
            follow (ampLeft, lfoLeft);
            follow (ampRight, lfoRight);
            filterFollowed[index] = { filterLeft, filterRight };
            ampFollowed[index] = { ampLeft, ampRight };
            lfo.advance();
        }
        filterFollowers = { filterLeft, filterRight };
        ampFollowers = { ampLeft, ampRight };
    };

    // The gate phase is worked out per sample only where it picks the step; otherwise only the
    // last sample's phase is stored, as the per-sample one would have left it.
    const auto phaseSelectsStep = s.gatePowerOn && ! gate.isUniform();
    auto gatePpq = gateTimer.ppq;
    auto holdRun = freakoutTimer.startHoldRun (freakoutBeats);
    auto holdPpq = freakoutTimer.ppq;

    for (int i = 0; i < numSamples; ++i)
    {
        const auto drive = nextRampValue<ramping> (inputDriveRamp);
        const auto mix = nextRampValue<ramping> (toneMixRamp);
        const auto depthFilter = nextRampValue<ramping> (filterModDepthRamp);
        const auto depthAmp = nextRampValue<ramping> (ampModDepthRamp);
        if constexpr (ramping)
            total = totalOf (modTotalRamp.getNextValue());
        const auto amount = nextRampValue<ramping> (freakoutRamp);

        // Gate step and its envelopes.
        auto step = 1.0f;
        if (phaseSelectsStep)
        {
            const auto gatePhase = gateTimer.patternPhase (patternBeats);
            step = gate.valueAt (gatePhase >= 1.0f ? gatePhase - 1.0f : gatePhase);
        }
        else if (s.gatePowerOn)
        {
            step = gate.stepValues[0];
        }
        gatePpq = gateTimer.ppq;

        for (std::size_t e = 0; e < envelopes.size(); ++e)
            envelopes[e] += gateEnvelopeRates[e] * (step - envelopes[e]);

        const auto ampGate = unitClamp (s.gateType == 0 ? step : (s.gateType == 1 ? envelopes[0] : envelopes[1]));
        const auto filterGate = unitClamp (envelopes[filterEnvelope]);

        if (lfoNext == lfoReady)
        {
            lfoReady = std::min (lfoRun, numSamples - i);
            lfoNext = 0;
            runLfo (lfoReady);
        }
        const auto& filterFollower = filterFollowed[static_cast<std::size_t> (lfoNext)];
        const auto& ampFollower = ampFollowed[static_cast<std::size_t> (lfoNext)];
        ++lfoNext;

        holdPpq = freakoutTimer.ppq;
        const auto held = freakoutTimer.sampleAndHold (holdRun);
        follow (freakoutTarget, static_cast<float> (0.5 - 0.5 * static_cast<double> (held)));

        // Amplitude modulation and drive.
        const auto ampDepth = depthAmp * total;
        std::array<float, 2> modulated {}, driven {};
        for (int c = 0; c < numChannels; ++c)
        {
            const auto input = channels[c][i];
            const auto lfoLevel = s.lfoPowerOn ? unitClamp (ampFollower[static_cast<std::size_t> (c)]) : 1.0f;
            auto a = input;
            if (s.gatePowerOn)
                a = input * (1.0f - ampDepth * ampGate * lfoLevel);
            else if (s.lfoPowerOn)
                a = input * (1.0f - ampDepth * lfoLevel);

            modulated[static_cast<std::size_t> (c)] = a;
            driven[static_cast<std::size_t> (c)] = drive * a;
        }

        // Crossover.
        const auto split = nextRampValue<ramping> (bandSplitterRamp);
        if (split != splitAt)
        {
            splitAt = split;
            const auto frequency = clampHz (split, 20.0f, 20000.0f, sampleRate);
            const auto highPass = Coefficients::makeHighPass (sampleRate, frequency);
            const auto lowPass = Coefficients::makeLowPass (sampleRate, frequency);
            for (auto& f : filters)
            {
                f.splitHighPass1.setCoefficients (highPass);
                f.splitHighPass2.setCoefficients (highPass);
                f.splitLowPass1.setCoefficients (lowPass);
                f.splitLowPass2.setCoefficients (lowPass);
            }
            retake (splitLow1, &ChannelFilters::splitLowPass1);
            retake (splitLow2, &ChannelFilters::splitLowPass2);
            retake (splitHigh1, &ChannelFilters::splitHighPass1);
            retake (splitHigh2, &ChannelFilters::splitHighPass2);
        }

        const auto signBit = _mm_set1_ps (-0.0f);
        const auto x = _mm_setr_ps (driven[0], driven[1], 0.0f, 0.0f);
        const auto low = splitLow2.process (splitLow1.process (x));
        const auto high = splitHigh2.process (_mm_xor_ps (splitHigh1.process (x), signBit));

        // Bass peak; the left and right filters take consecutive ramp values.
        const auto bassLeft = nextRampValue<ramping> (bassFreqRamp);
        const auto bassRight = nextRampValue<ramping> (bassFreqRamp);
        if constexpr (ramping)
            bassGain = bassGainOf (bassLevelRamp.getNextValue());
        if (bassLeft + bassRight + bassGain != bassAt)
        {
            bassAt = bassLeft + bassRight + bassGain;
            const auto leftCoefficients = Coefficients::makePeakFilter (sampleRate, clampHz (bassLeft, 30.0f, 1000.0f, sampleRate), 5.0, bassGain);
            filters[0].bassPeak.setCoefficients (leftCoefficients);
            filters[1].bassPeak.setCoefficients (bassRight == bassLeft ? leftCoefficients
                                                                       : Coefficients::makePeakFilter (sampleRate, clampHz (bassRight, 30.0f, 1000.0f, sampleRate), 5.0, bassGain));
            retake (bassPair, &ChannelFilters::bassPeak);
        }

        // Modulated cutoff.
        if constexpr (ramping)
        {
            lowPassQ = lowPassQOf (filterResRamp.getNextValue());
            resonanceGain = resonanceGainOf (filterResRamp.getNextValue());
        }
        const float cut[] = { nextRampValue<ramping> (filterCutRamp), nextRampValue<ramping> (filterCutRamp) };

        float cutoff[2];
        for (std::size_t c = 0; c < 2; ++c)
        {
            const auto lfoTerm = (filterFollower[c] * 10000.0f - cut[c]) * depthFilter * total;
            const auto freakoutPart = s.freakoutFilterOn ? amount * ((freakoutTarget * 10000.0f - cut[c]) - lfoTerm) : 0.0f;
            float modulation;
            if (s.lfoPowerOn && s.gatePowerOn)
                modulation = total * depthFilter * filterGate * lfoTerm + freakoutPart;
            else if (s.lfoPowerOn)
                modulation = lfoTerm + freakoutPart;
            else if (s.gatePowerOn)
                modulation = ((1.0f - filterGate) * 10000.0f - cut[c]) * depthFilter * total + freakoutPart;
            else
                modulation = s.freakoutFilterOn ? amount * (freakoutTarget * 10000.0f - cut[c]) : 0.0f;

            cutoff[c] = cut[c] + modulation;
        }

        if (cutoff[0] + cutoff[1] + lowPassQ != filterAt)
        {
            filterAt = cutoff[0] + cutoff[1] + lowPassQ;
            const auto designFor = [&] (float value, juce::IIRFilter& peak, juce::IIRFilter& lowPass)
            {
                const auto frequency = clampHz (value, 20.0f, 20000.0f, sampleRate);
                peak.setCoefficients (Coefficients::makePeakFilter (sampleRate, frequency, 15.0, resonanceGain));
                lowPass.setCoefficients (Coefficients::makeLowPass (sampleRate, frequency, static_cast<double> (lowPassQ)));
            };

            designFor (cutoff[0], filters[0].resonancePeak, filters[0].cutLowPass);
            if (cutoff[1] == cutoff[0])
            {
                filters[1].resonancePeak.setCoefficients (filters[0].resonancePeak.getCoefficients());
                filters[1].cutLowPass.setCoefficients (filters[0].cutLowPass.getCoefficients());
            }
            else
            {
                designFor (cutoff[1], filters[1].resonancePeak, filters[1].cutLowPass);
            }
            retake (resonancePair, &ChannelFilters::resonancePeak);
            retake (cutLowPair, &ChannelFilters::cutLowPass);
        }

        if constexpr (ramping)
        {
            levelCompensation = compensationOf (filterResRamp.getNextValue());
            dryLevel = std::sqrt (1.0f - mix);
            wetLevel = std::sqrt (mix);
        }

        alignas (16) float bassOut[4], highOut[4];
        _mm_store_ps (bassOut, bassPair.process (low));
        _mm_store_ps (highOut, cutLowPair.process (resonancePair.process (_mm_xor_ps (high, signBit))));

        for (int c = 0; c < numChannels; ++c)
        {
            const auto index = static_cast<std::size_t> (c);
            auto& f = filters[index];
            const auto bass = bassOut[index];
            const auto h = highOut[index] * levelCompensation;

            // With no saturation mix the shaper adds only a signed zero, which changes nothing
            // unless the clean sum is itself zero.
            const auto clean = (h + bass) * cleanMix;
            float wet = clean;
            if (satMix != 0.0f || clean == 0.0f)
            {
                const auto shaped = 2.0 * static_cast<double> (std::atan (2.0f * crunchDrive * h)) / 3.14159265359;
                const auto sat = std::tanh (shaped * static_cast<double> (crunchScale) + static_cast<double> (bass));
                wet = static_cast<float> (static_cast<double> (clean) + sat * static_cast<double> (satMix));
            }

            const auto dry = s.driveMixOn ? driven[index] : modulated[index];
            auto out = dry * dryLevel + wet * wetLevel;

            // A non-finite value means a filter state has blown up: start that channel afresh.
            if (! std::isfinite (out))
            {
                putStages();
                for (auto* filter : { &f.splitHighPass1, &f.splitHighPass2, &f.splitLowPass1, &f.splitLowPass2, &f.bassPeak, &f.resonancePeak, &f.cutLowPass })
                    filter->reset();
                takeStages();
                out = 0.0f;
            }

            channels[c][i] = out;
        }

        freakoutTimer.advance();
        gateTimer.advance();
    }

    putStages();

    if (! phaseSelectsStep && numSamples > 0)
        gateTimer.storePhaseAt (gatePpq, patternBeats);
    if (numSamples > 0)
        freakoutTimer.finishHoldRun (holdRun, holdPpq);

    toneLfo = lfo;
    freakoutClock = freakoutTimer;
    gateClock = gateTimer;
    filterLfoFollower = filterFollowers;
    ampLfoFollower = ampFollowers;
    freakoutFilterTarget = freakoutTarget;
    gateEnvelope = envelopes;
    splitKey = splitAt;
    bassKey = bassAt;
    filterKey = filterAt;
    bandSplitter = bandSplitterRamp;
    inputDrive = inputDriveRamp;
    bassFreq = bassFreqRamp;
    bassLevel = bassLevelRamp;
    filterCut = filterCutRamp;
    filterRes = filterResRamp;
    filterModDepth = filterModDepthRamp;
    ampModDepth = ampModDepthRamp;
    lfoOffset = lfoOffsetRamp;
    waveShift = waveShiftRamp;
    modTotal = modTotalRamp;
    toneMix = toneMixRamp;
    freakout = freakoutRamp;
}
