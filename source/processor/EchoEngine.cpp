#include "EchoEngine.h"

#include "DesignFrequency.h"
#include "RampRead.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>

namespace
{
// The whole pages inside the delay memory, the only part that advice to the system can cover.
struct WholePages
{
    double* begin;
    double* end;
};

WholePages wholePagesOf (double* memory)
{
    const auto pageSize = static_cast<std::uintptr_t> (sysconf (_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t> (memory);
    const auto begin = (start + pageSize - 1) & ~(pageSize - 1);
    const auto end = (start + 2 * static_cast<std::uintptr_t> (EchoEngine::lineLength) * sizeof (double)) & ~(pageSize - 1);
    return { reinterpret_cast<double*> (begin), reinterpret_cast<double*> (end) };
}

// Passes advice about the whole pages of the delay memory to the system, which may ignore or
// refuse it; true if it took it.
bool adviseDelayMemory (double* memory, int advice)
{
    const auto pages = wholePagesOf (memory);
    return pages.end > pages.begin && madvise (pages.begin, static_cast<std::size_t> (pages.end - pages.begin) * sizeof (double), advice) == 0;
}

// Soft clipper of the feedback path: slope 1 at 0, folds values beyond about 2.92 back. Each
// lane is clipped on its own.
__m128 clip (__m128 x)
{
    const auto squared = _mm_mul_ps (x, x);
    return _mm_div_ps (_mm_mul_ps (x, _mm_add_ps (squared, _mm_set1_ps (512.0f))), _mm_add_ps (_mm_mul_ps (_mm_set1_ps (64.0f), squared), _mm_set1_ps (512.0f)));
}

// Where a read falls in a line: it interpolates between the sample before pos and the one at
// pos, so it lies one sample behind pos.
struct Tap
{
    static Tap at (int writeIndex, double length)
    {
        auto pos = static_cast<double> (writeIndex) - length;
        if (pos < 0.0)
            pos += EchoEngine::lineLength;

        // pos is never negative here, so the whole part is exactly std::trunc (pos).
        const auto i = static_cast<int> (pos);
        return { (i > 0 ? i : i + EchoEngine::lineLength) - 1, i < EchoEngine::lineLength ? i : i - EchoEngine::lineLength, static_cast<float> (pos - static_cast<double> (i)) };
    }

    float read (const double* line) const
    {
        const auto a = static_cast<float> (line[earlier]);
        const auto b = static_cast<float> (line[later]);
        return b * frac + a * (1.0f - frac);
    }

    int earlier;
    int later;
    float frac;
};
} // namespace

EchoEngine::EchoEngine()
    : delayMemory (static_cast<double*> (std::calloc (2 * static_cast<std::size_t> (lineLength), sizeof (double))), &std::free)
{
    if (delayMemory == nullptr)
        throw std::bad_alloc();

    // Huge pages where the system has them: making the lines resident then takes a few dozen page
    // faults instead of twelve thousand.
    adviseDelayMemory (delayMemory.get(), MADV_HUGEPAGE);
}

void EchoEngine::prepare (double newSampleRate)
{
    sampleRate = newSampleRate;
    gateClock.sampleRate = newSampleRate;
    freakoutClock.sampleRate = newSampleRate;
    clearLines();
    if (! linesResident)
        makeLinesResident();

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
    feedbackLeft = feedbackRight = 0.0f;
    // Before the first prepare the lines still hold the zeros they came with, and writing them
    // would only make 49 MB resident in an instance that a host's scan is about to end.
    if (linesResident)
        std::fill_n (delayMemory.get(), 2 * static_cast<std::size_t> (lineLength), 0.0);
}

void EchoEngine::makeLinesResident()
{
    // Every page of the lines becomes resident here rather than on the audio thread while the echo
    // first runs through them. The system fills in the pages faster by itself than by faults on
    // writes, and hands them over zeroed, as the untouched lines are; its advice covers only whole
    // pages, so the elements in the partial pages at either end are written. A kernel without it
    // (before 5.14) refuses, and writing every element faults the pages in instead.
    auto* const memory = delayMemory.get();
    auto* const memoryEnd = memory + 2 * static_cast<std::size_t> (lineLength);
    const auto pages = wholePagesOf (memory);

    if (adviseDelayMemory (memory, MADV_POPULATE_WRITE))
    {
        std::fill (memory, pages.begin, 0.0);
        std::fill (pages.end, memoryEnd, 0.0);
    }
    else
    {
        std::fill (memory, memoryEnd, 0.0);
    }

    linesResident = true;
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

void EchoEngine::process (float* left, float* right, int numSamples)
{
    // With every ramp at rest each smoother just gives its target; a loop that knows this keeps
    // them as constants.
    const auto ramping = inputModLevelSmoother.isSmoothing() || feedModLevelSmoother.isSmoothing() || feedbackSmoother.isSmoothing() || dampSmoother.isSmoothing() || inputGainSmoother.isSmoothing() || spreadSmoother.isSmoothing() || mixSmoother.isSmoothing() || modTotalSmoother.isSmoothing() || freakoutSmoother.isSmoothing();

    if (ramping)
        processSamples<true> (left, right, numSamples);
    else
        processSamples<false> (left, right, numSamples);
}

template <bool ramping>
void EchoEngine::processSamples (float* left, float* right, int numSamples)
{
    const auto stereo = right != nullptr;
    // Copies of what stays fixed for the block: the compiler cannot tell that stores into the
    // buffers or the lines leave the members alone, so it would read them again every sample.
    const auto s = settings;
    const auto pattern = gatePattern;
    const auto patternBeats = gatePatternBeats;
    const auto rate = sampleRate;
    const auto tempoKnown = bpm > 0.0;
    const auto tempoTargetLeft = rate * delaySeconds1;
    const auto tempoTargetRight = rate * delaySeconds2;
    auto* const leftLine = line (0);
    auto* const rightLine = line (1);
    const auto freakoutBeats = beatsAt (freakoutRateBeats, s.freakoutRate);
    const auto glide = static_cast<double> (0.0008f);

    // The running state is worked on in locals and stored back at the end: as far as the
    // compiler knows, every store into the buffers or the lines could change a member.
    auto gate = gateClock;
    auto clock = freakoutClock;
    auto level = gateLevel;
    auto slowLevel = gateLevelSlow;
    auto randomSmoothed = freakoutRandomSmoothed;
    auto loopLeft = feedbackLeft;
    auto loopRight = feedbackRight;
    auto targetLeft = delayTargetLeft;
    auto targetRight = delayTargetRight;
    auto lengthLeft = delayLengthLeft;
    auto lengthRight = delayLengthRight;
    auto index = writeIndex;
    auto lowCutKey = lastLowPassCutoff;
    auto highCutKey = lastHighPassCutoff;
    auto inputModLevelRamp = inputModLevelSmoother;
    auto feedModLevelRamp = feedModLevelSmoother;
    auto feedbackRamp = feedbackSmoother;
    auto dampRamp = dampSmoother;
    auto inputGainRamp = inputGainSmoother;
    auto spreadRamp = spreadSmoother;
    auto mixRamp = mixSmoother;
    auto modTotalRamp = modTotalSmoother;
    auto freakoutRamp = freakoutSmoother;

    // The pattern phase is worked out per sample only where it picks the step; otherwise only the
    // last sample's phase is kept, as the per-sample one would have left it.
    const auto phaseSelectsStep = gate.enabled && ! pattern.isUniform();
    auto phasePpq = gate.ppq;
    auto holdRun = clock.startHoldRun (freakoutBeats);
    auto holdPpq = clock.ppq;

    // The left and right damping filters run side by side as lanes of one register.
    constexpr unsigned bothLanes = 3u;
    BiquadLanes highPair ({ &highPassLeft, &highPassRight, nullptr, nullptr });
    BiquadLanes lowPair ({ &lowPassLeft, &lowPassRight, nullptr, nullptr });

    for (int n = 0; n < numSamples; ++n)
    {
        const auto inL = left[n];
        const auto inR = stereo ? right[n] : inL;

        const auto inputModLevel = nextRampValue<ramping> (inputModLevelRamp);
        const auto feedModLevel = nextRampValue<ramping> (feedModLevelRamp);
        const auto mix = nextRampValue<ramping> (mixRamp);
        const auto total = nextRampValue<ramping> (modTotalRamp) / 100.0f;
        const auto amount = nextRampValue<ramping> (freakoutRamp);
        const auto spread = nextRampValue<ramping> (spreadRamp);

        // Gate value: the step under the pattern phase, through two smoothing stages.
        auto step = 1.0f;
        if (phaseSelectsStep)
            step = pattern.valueAt (gate.patternPhase (patternBeats));
        else if (gate.enabled)
            step = pattern.stepValues[0];
        phasePpq = gate.ppq;
        const auto stepGap = step - level;
        level = std::abs (stepGap) < 0.01f ? step : level + stepGap * 0.02f;
        slowLevel = static_cast<float> (static_cast<double> (slowLevel) + (static_cast<double> (level) - static_cast<double> (slowLevel)) * 0.0008);
        const auto gateValue = std::max (slowLevel > 1.0f ? 1.0f : slowLevel, 0.0f);

        // Freakout shortens both delays by the positive part of its smoothed random value.
        holdPpq = clock.ppq;
        const auto held = clock.sampleAndHold (holdRun);
        const auto gap = held - randomSmoothed;
        randomSmoothed = std::abs (gap) < 0.01f ? held : randomSmoothed + gap * 0.02f;
        const auto r = randomSmoothed > 1.0f ? 1.0f : randomSmoothed;
        const auto delayScale = 1.0f - std::max (r, 0.0f) * amount;

        // A tempo of 0 or less keeps the targets, which Freakout then scales again.
        if (tempoKnown)
        {
            targetLeft = tempoTargetLeft;
            targetRight = tempoTargetRight;
        }

        if (s.freakoutEchoOn)
        {
            targetLeft *= delayScale;
            targetRight *= delayScale;
        }

        // Below about 3.75 BPM at 48 kHz four beats outgrow the line; keep the read inside it.
        targetLeft = std::min (targetLeft, longestDelay);
        targetRight = std::min (targetRight, longestDelay);

        lengthLeft += (targetLeft - lengthLeft) * glide;
        lengthRight += (targetRight - lengthRight) * glide;
        const auto tapLeft = Tap::at (index, juce::jlimit (0.0, longestDelay, lengthLeft));
        const auto tapRight = lengthRight == lengthLeft ? tapLeft : Tap::at (index, juce::jlimit (0.0, longestDelay, lengthRight));
        const auto readLeft = tapLeft.read (leftLine);
        const auto readRight = tapRight.read (rightLine);

        const auto feedback = nextRampValue<ramping> (feedbackRamp);
        const auto feedFactor = s.gatePowerOn ? 1.0f - (feedModLevel * gateValue) * total : 1.0f;
        loopRight = loopRight * (feedFactor * feedback);

        const auto inputGain = nextRampValue<ramping> (inputGainRamp);
        const auto inputFactor = s.gatePowerOn ? 1.0f - total * (inputModLevel * gateValue) : 1.0f;
        loopLeft = loopLeft * (feedFactor * feedback) + inL * (inputFactor * inputGain);
        if (! s.pingPongOn)
            loopRight = loopRight + inR * (inputFactor * inputGain);

        const auto damp1 = nextRampValue<ramping> (dampRamp);
        const auto damp2 = nextRampValue<ramping> (dampRamp);

        if (! s.powerOn)
        {
            loopLeft = loopRight = 0.0f;
            leftLine[index] = 0.0;
            rightLine[index] = 0.0;

            if constexpr (ramping)
                for (auto* ramp : { &inputModLevelRamp, &feedModLevelRamp, &feedbackRamp, &dampRamp, &inputGainRamp, &spreadRamp, &mixRamp, &modTotalRamp, &freakoutRamp })
                    ramp->getNextValue();

            index = index >= lineLength - 1 ? 0 : index + 1;
            continue;
        }

        const auto lowBase = s.freakoutEchoOn ? amount * 7500.0f + 2500.0f - 10000.0f : -7500.0f;
        const auto lowCut = 10000.0f + damp1 * lowBase / 100.0f;
        if (lowCut != lowCutKey)
        {
            lowCutKey = lowCut;
            lowPair.setCoefficients (bothLanes, juce::IIRCoefficients::makeLowPass (rate, designFrequency (lowCut, rate)));
        }

        const auto highBase = s.freakoutEchoOn ? (900.0f - amount * 880.0f) - 20.0f : 880.0f;
        const auto highCut = 20.0f + damp2 * highBase / 100.0f;
        if (highCut != highCutKey)
        {
            highCutKey = highCut;
            highPair.setCoefficients (bothLanes, juce::IIRCoefficients::makeHighPass (rate, designFrequency (highCut, rate)));
        }

        // From here on both channels go as the low lanes of one register: left, then right.
        auto loop = _mm_unpacklo_ps (_mm_set_ss (loopLeft), _mm_set_ss (loopRight));
        if (damp1 > 0.0f)
            loop = highPair.process (loop);
        if (damp2 > 0.0f)
            loop = lowPair.process (loop);

        // A loop that has turned non-finite (or too large for the clipper) starts afresh rather
        // than filling the line.
        auto written = clip (loop);
        const auto finite = finiteLanes (written);
        if (const auto broken = ~static_cast<unsigned> (_mm_movemask_ps (finite)) & bothLanes; broken != 0)
        {
            highPair.reset (broken);
            lowPair.reset (broken);
            written = _mm_and_ps (written, finite);
        }

        auto lineValues = _mm_cvtps_pd (written);
        if (stereo && s.pingPongOn)
            lineValues = _mm_shuffle_pd (lineValues, lineValues, 1);
        _mm_storel_pd (leftLine + index, lineValues);
        if (stereo)
            _mm_storeh_pd (rightLine + index, lineValues);

        loopLeft = readLeft;
        loopRight = readRight;

        const auto mid = (static_cast<double> (readLeft) + static_cast<double> (readRight)) * 0.5;
        const auto reads = _mm_unpacklo_ps (_mm_set_ss (readLeft), _mm_set_ss (readRight));
        const auto wet = _mm_add_pd (_mm_cvtps_pd (_mm_mul_ps (_mm_set1_ps (spread), reads)), _mm_mul_pd (_mm_set1_pd (static_cast<double> (1.0f - spread)), _mm_set1_pd (mid)));
        const auto inputs = _mm_unpacklo_ps (_mm_set_ss (inL), _mm_set_ss (inR));
        const auto dry = _mm_cvtps_pd (_mm_mul_ps (inputs, _mm_set1_ps (1.0f - mix)));
        const auto out = _mm_cvtpd_ps (_mm_add_pd (dry, _mm_mul_pd (wet, _mm_set1_pd (static_cast<double> (mix)))));
        left[n] = _mm_cvtss_f32 (out);
        if (stereo)
            right[n] = _mm_cvtss_f32 (_mm_shuffle_ps (out, out, _MM_SHUFFLE (1, 1, 1, 1)));

        gate.advance();
        clock.advance();
        index = index >= lineLength - 1 ? 0 : index + 1;
    }

    // Both pairs run in mono too, so the right filters always hold their lane's state.
    highPair.finishBlock (bothLanes);
    lowPair.finishBlock (bothLanes);

    if (! phaseSelectsStep && numSamples > 0)
        gate.storePhaseAt (phasePpq, patternBeats);
    if (numSamples > 0)
        clock.finishHoldRun (holdRun, holdPpq);

    gateClock = gate;
    freakoutClock = clock;
    gateLevel = level;
    gateLevelSlow = slowLevel;
    freakoutRandomSmoothed = randomSmoothed;
    feedbackLeft = loopLeft;
    feedbackRight = loopRight;
    delayTargetLeft = targetLeft;
    delayTargetRight = targetRight;
    delayLengthLeft = lengthLeft;
    delayLengthRight = lengthRight;
    writeIndex = index;
    lastLowPassCutoff = lowCutKey;
    lastHighPassCutoff = highCutKey;
    inputModLevelSmoother = inputModLevelRamp;
    feedModLevelSmoother = feedModLevelRamp;
    feedbackSmoother = feedbackRamp;
    dampSmoother = dampRamp;
    inputGainSmoother = inputGainRamp;
    spreadSmoother = spreadRamp;
    mixSmoother = mixRamp;
    modTotalSmoother = modTotalRamp;
    freakoutSmoother = freakoutRamp;
}
