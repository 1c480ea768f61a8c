#include "EchoEngine.h"

#include <cmath>

namespace
{
// Soft clipper of the feedback path: slope 1 at 0, folds values beyond about 2.92 back.
float clip (float x)
{
    const auto squared = x * x;
    return x * (squared + 512.0f) / (64.0f * squared + 512.0f);
}
} // namespace

EchoEngine::EchoEngine()
    : delayMemory (2 * static_cast<std::size_t> (lineLength), 0.0)
{
}

void EchoEngine::prepare (double newSampleRate)
{
    sampleRate = newSampleRate;
    gateClock.sampleRate = newSampleRate;
    freakoutClock.sampleRate = newSampleRate;
    clearLines();

    for (auto* smoother : { &inputModLevelSmoother, &feedModLevelSmoother, &feedbackSmoother, &dampSmoother, &inputGainSmoother, &spreadSmoother, &mixSmoother, &modTotalSmoother, &freakoutSmoother })
        smoother->reset (newSampleRate, 0.01);

    lastLowPassCutoff = 1e20f;
    lastHighPassCutoff = 1e20f;
    gateLevel = 0.0f;
    freakoutRandomSmoothed = 0.0f;
    delayTargetLeft = delayTargetRight = 0.0;
    delayLengthLeft = delayLengthRight = 0.0;
}

void EchoEngine::clearLines()
{
    writeIndex = 0;
    std::fill (delayMemory.begin(), delayMemory.end(), 0.0);
    feedbackLeft = feedbackRight = 0.0f;
}

void EchoEngine::restartClocks (double phase)
{
    gateClock.phase = phase;
    freakoutClock.phase = phase;
}

void EchoEngine::startBlock (const EchoSettings& newSettings, double newBpm, double ppq)
{
    settings = newSettings;
    bpm = newBpm;

    gateClock.startBlock (bpm, ppq);
    freakoutClock.startBlock (bpm, ppq);

    inputModLevelSmoother.setTargetValue (settings.inputModLevel);
    feedModLevelSmoother.setTargetValue (settings.feedModLevel);
    feedbackSmoother.setTargetValue (settings.feedback);
    dampSmoother.setTargetValue (settings.damp);
    inputGainSmoother.setTargetValue (settings.inputGain);
    spreadSmoother.setTargetValue (settings.spread);
    mixSmoother.setTargetValue (settings.mix);
    modTotalSmoother.setTargetValue (settings.modTotal);
    freakoutSmoother.setTargetValue (settings.freakout);

    const auto beats1 = beatsAt (echoRateBeats, settings.rate1);
    const auto beats2 = settings.rateLinkOn ? beats1 : beatsAt (echoRateBeats, settings.rate2);

    // A tempo of 0 or less keeps the previous delay targets.
    if (bpm > 0.0)
    {
        delaySeconds1 = (60.0 / bpm) * beats1;
        delaySeconds2 = (60.0 / bpm) * beats2;
    }

    const auto stepCount = static_cast<int> (settings.gateLength);
    gatePattern.setSteps (settings.stepOn);
    for (int k = 1; k <= 7; ++k)
        gatePattern.boundaries[static_cast<std::size_t> (k - 1)] = 1.0f / (static_cast<float> (stepCount) / static_cast<float> (k));

    gatePatternBeats = beatsAt (gateStepBeats, settings.gateRate) * static_cast<double> (stepCount);
    gateClock.enabled = settings.powerOn && settings.gatePowerOn;
    gateClock.stepCount = stepCount;
    gateClock.periodSamples = static_cast<float> (gatePatternBeats * gateClock.samplesPerBeat);
}

float EchoEngine::nextGateValue()
{
    const auto p = gateClock.patternPhase (gatePatternBeats);
    const auto target = gateClock.enabled ? gatePattern.valueAt (p) : 1.0f;

    const auto gap = target - gateLevel;
    gateLevel = std::abs (gap) < 0.01f ? target : gateLevel + gap * 0.02f;
    gateLevelSlow = static_cast<float> (static_cast<double> (gateLevelSlow) + (static_cast<double> (gateLevel) - static_cast<double> (gateLevelSlow)) * 0.0008);

    return gateLevelSlow > 1.0f ? 1.0f : gateLevelSlow;
}

float EchoEngine::read (const double* memory, double length) const
{
    auto pos = static_cast<double> (writeIndex) - length;
    if (pos < 0.0)
        pos += lineLength;

    const auto i = static_cast<int> (pos);
    const auto earlier = (i > 0 ? i : i + lineLength) - 1;
    const auto later = i < lineLength ? i : i - lineLength;
    const auto a = static_cast<float> (memory[earlier]);
    const auto b = static_cast<float> (memory[later]);
    const auto frac = static_cast<float> (pos - std::trunc (pos));
    return b * frac + a * (1.0f - frac);
}

void EchoEngine::process (float* left, float* right, int numSamples)
{
    const auto stereo = right != nullptr;
    if (! stereo)
        right = left;

    const auto& s = settings;
    auto* const leftLine = line (0);
    auto* const rightLine = line (1);
    const auto freakoutBeats = beatsAt (freakoutRateBeats, s.freakoutRate);
    const auto glide = static_cast<double> (0.0008f);

    for (int n = 0; n < numSamples; ++n)
    {
        const auto inL = left[n];
        const auto inR = right[n];

        const auto inputModLevel = inputModLevelSmoother.getNextValue();
        const auto feedModLevel = feedModLevelSmoother.getNextValue();
        const auto mix = mixSmoother.getNextValue();
        const auto total = modTotalSmoother.getNextValue() / 100.0f;
        const auto amount = freakoutSmoother.getNextValue();
        const auto spread = spreadSmoother.getNextValue();

        const auto gate = nextGateValue();

        // Freakout shortens both delays by the positive part of its smoothed random value.
        const auto held = freakoutClock.sampleAndHold (freakoutBeats);
        const auto gap = held - freakoutRandomSmoothed;
        freakoutRandomSmoothed = std::abs (gap) < 0.01f ? held : freakoutRandomSmoothed + gap * 0.02f;
        const auto r = freakoutRandomSmoothed > 1.0f ? 1.0f : freakoutRandomSmoothed;
        const auto delayScale = 1.0f - std::max (r, 0.0f) * amount;

        // A tempo of 0 or less keeps the targets, which Freakout then scales again.
        if (bpm > 0.0)
        {
            delayTargetLeft = sampleRate * delaySeconds1;
            delayTargetRight = sampleRate * delaySeconds2;
        }

        if (s.freakoutEchoOn)
        {
            delayTargetLeft *= delayScale;
            delayTargetRight *= delayScale;
        }

        // Below about 3.75 BPM at 48 kHz four beats outgrow the line; keep the read inside it.
        delayTargetLeft = std::min (delayTargetLeft, longestDelay);
        delayTargetRight = std::min (delayTargetRight, longestDelay);

        delayLengthLeft += (delayTargetLeft - delayLengthLeft) * glide;
        delayLengthRight += (delayTargetRight - delayLengthRight) * glide;
        const auto readLeft = read (leftLine, juce::jlimit (0.0, longestDelay, delayLengthLeft));
        const auto readRight = read (rightLine, juce::jlimit (0.0, longestDelay, delayLengthRight));

        const auto feedback = feedbackSmoother.getNextValue();
        const auto gateValue = std::max (gate, 0.0f);
        const auto feedFactor = s.gatePowerOn ? 1.0f - (feedModLevel * gateValue) * total : 1.0f;
        feedbackRight = feedbackRight * (feedFactor * feedback);

        const auto inputGain = inputGainSmoother.getNextValue();
        const auto inputFactor = s.gatePowerOn ? 1.0f - total * (inputModLevel * gateValue) : 1.0f;
        feedbackLeft = feedbackLeft * (feedFactor * feedback) + inL * (inputFactor * inputGain);
        if (! s.pingPongOn)
            feedbackRight = feedbackRight + inR * (inputFactor * inputGain);

        const auto damp1 = dampSmoother.getNextValue();
        const auto damp2 = dampSmoother.getNextValue();

        if (! s.powerOn)
        {
            feedbackLeft = feedbackRight = 0.0f;
            leftLine[writeIndex] = 0.0;
            rightLine[writeIndex] = 0.0;

            for (auto* smoother : { &inputModLevelSmoother, &feedModLevelSmoother, &feedbackSmoother, &dampSmoother, &inputGainSmoother, &spreadSmoother, &mixSmoother, &modTotalSmoother, &freakoutSmoother })
                smoother->getNextValue();

            writeIndex = writeIndex >= lineLength - 1 ? 0 : writeIndex + 1;
            continue;
        }

        const auto lowBase = s.freakoutEchoOn ? amount * 7500.0f + 2500.0f - 10000.0f : -7500.0f;
        const auto lowCut = 10000.0f + damp1 * lowBase / 100.0f;
        if (lowCut != lastLowPassCutoff)
        {
            lastLowPassCutoff = lowCut;
            const auto coefficients = juce::IIRCoefficients::makeLowPass (sampleRate, static_cast<double> (lowCut));
            lowPassLeft.setCoefficients (coefficients);
            lowPassRight.setCoefficients (coefficients);
        }

        const auto highBase = s.freakoutEchoOn ? (900.0f - amount * 880.0f) - 20.0f : 880.0f;
        const auto highCut = 20.0f + damp2 * highBase / 100.0f;
        if (highCut != lastHighPassCutoff)
        {
            lastHighPassCutoff = highCut;
            const auto coefficients = juce::IIRCoefficients::makeHighPass (sampleRate, static_cast<double> (highCut));
            highPassLeft.setCoefficients (coefficients);
            highPassRight.setCoefficients (coefficients);
        }

        if (damp1 > 0.0f)
        {
            feedbackLeft = highPassLeft.processSingleSampleRaw (feedbackLeft);
            if (stereo)
                feedbackRight = highPassRight.processSingleSampleRaw (feedbackRight);
        }

        if (damp2 > 0.0f)
        {
            feedbackLeft = lowPassLeft.processSingleSampleRaw (feedbackLeft);
            if (stereo)
                feedbackRight = lowPassRight.processSingleSampleRaw (feedbackRight);
        }

        // A loop that has turned non-finite (or too large for the clipper) starts afresh rather
        // than filling the line.
        auto writeLeft = clip (feedbackLeft);
        auto writeRight = clip (feedbackRight);

        if (! std::isfinite (writeLeft))
        {
            writeLeft = 0.0f;
            highPassLeft.reset();
            lowPassLeft.reset();
        }

        if (! std::isfinite (writeRight))
        {
            writeRight = 0.0f;
            highPassRight.reset();
            lowPassRight.reset();
        }

        if (stereo)
        {
            leftLine[writeIndex] = s.pingPongOn ? writeRight : writeLeft;
            rightLine[writeIndex] = s.pingPongOn ? writeLeft : writeRight;
        }
        else
        {
            leftLine[writeIndex] = writeLeft;
        }

        feedbackLeft = readLeft;
        feedbackRight = readRight;

        const auto mid = (static_cast<double> (readLeft) + static_cast<double> (readRight)) * 0.5;
        const auto wetLeft = static_cast<double> (spread * readLeft) + static_cast<double> (1.0f - spread) * mid;
        left[n] = static_cast<float> (static_cast<double> (inL * (1.0f - mix)) + wetLeft * static_cast<double> (mix));

        if (stereo)
        {
            const auto wetRight = static_cast<double> (spread * readRight) + static_cast<double> (1.0f - spread) * mid;
            right[n] = static_cast<float> (static_cast<double> (inR * (1.0f - mix)) + wetRight * static_cast<double> (mix));
        }

        gateClock.advance();
        freakoutClock.advance();
        writeIndex = writeIndex >= lineLength - 1 ? 0 : writeIndex + 1;
    }
}
