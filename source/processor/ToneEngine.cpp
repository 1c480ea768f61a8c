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

// The same step for four values at once, one a lane.
__m128 follow (__m128 value, __m128 target)
{
    const auto gap = _mm_sub_ps (target, value);
    const auto snaps = _mm_cmplt_ps (magnitude (gap), _mm_set1_ps (0.01f));
    const auto stepped = _mm_add_ps (value, _mm_mul_ps (_mm_set1_ps (0.02f), gap));
    return _mm_or_ps (_mm_and_ps (snaps, target), _mm_andnot_ps (snaps, stepped));
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

    // The filters run four to a register: the crossover's low and high halves side by side, the
    // bass peak beside the resonance peak, each as a left and a right lane.
    constexpr unsigned leftLow = 1u, rightLow = 2u, leftHigh = 4u, rightHigh = 8u;
    constexpr unsigned lowLanes = leftLow | rightLow, highLanes = leftHigh | rightHigh;
    const auto highSign = _mm_setr_ps (0.0f, 0.0f, -0.0f, -0.0f);
    const auto channelLanes = numChannels == 2 ? 3u : 1u;
    auto& l = filters[0];
    auto& r = filters[1];
    BiquadLanes split1 ({ &l.splitLowPass1, &r.splitLowPass1, &l.splitHighPass1, &r.splitHighPass1 });
    BiquadLanes split2 ({ &l.splitLowPass2, &r.splitLowPass2, &l.splitHighPass2, &r.splitHighPass2 });
    BiquadLanes peaks ({ &l.bassPeak, &r.bassPeak, &l.resonancePeak, &r.resonancePeak });
    BiquadLanes cutLowPass ({ &l.cutLowPass, &r.cutLowPass, nullptr, nullptr });

    // The samples go in runs of up to 32, each in three passes: the LFO; then everything else
    // that does not depend on the audio (ramps, gate, Freakout, the cutoff and the designs it
    // calls for) together with the filters' input; then the filters and the output. Each pass's
    // loop is short enough for the processor to overlap several samples, and the filter chain
    // no longer waits on the library calls of the others.
    constexpr int run = 32;

    // The LFO's four followers, for the filter and the amplitude of each channel, step together
    // as the lanes of one register.
    constexpr std::size_t filterLanes = 0, ampLanes = 2;
    alignas (16) std::array<std::array<float, 4>, run> followed {};
    auto followers = _mm_setr_ps (filterLfoFollower[0], filterLfoFollower[1], ampLfoFollower[0], ampLfoFollower[1]);

    // What the second pass hands the third, per sample. A design is kept with the sample that
    // made it and installed just before that sample's filters run; a sample makes at most ten.
    struct Design
    {
        int sample;
        BiquadLanes* stage;
        unsigned lanes;
        std::array<float, 5> coefficients;
    };
    std::array<Design, 10 * run> designs;
    alignas (16) std::array<std::array<float, 4>, run> filterInput;
    alignas (16) std::array<std::array<float, 4>, run> dryInput;
    struct Levels
    {
        float compensation, dry, wet;
    };
    std::array<Levels, run> rampedLevels;

    const auto runLfo = [&] (int count)
    {
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
            const auto levels = _mm_unpacklo_ps (_mm_set_ss (lfoLeft), _mm_set_ss (lfoRight));
            const auto filterTargets = _mm_sub_ps (_mm_set1_ps (0.5f), _mm_mul_ps (_mm_set1_ps (0.5f), levels));
            followers = follow (followers, _mm_movelh_ps (filterTargets, levels));
            _mm_store_ps (followed[index].data(), followers);
            lfo.advance();
        }
    };

    // The gate phase is worked out per sample only where it picks the step; otherwise only the
    // last sample's phase is stored, as the per-sample one would have left it.
    const auto phaseSelectsStep = s.gatePowerOn && ! gate.isUniform();
    auto gatePpq = gateTimer.ppq;
    auto holdRun = freakoutTimer.startHoldRun (freakoutBeats);
    auto holdPpq = freakoutTimer.ppq;

    for (int start = 0; start < numSamples; start += run)
    {
        const auto count = std::min (run, numSamples - start);
        runLfo (count);
        int numDesigns = 0;
        const auto design = [&] (int sample, BiquadLanes& stage, unsigned lanes, const Coefficients& coefficients)
        {
            jassert (static_cast<std::size_t> (numDesigns) < designs.size());
            auto& entry = designs[static_cast<std::size_t> (numDesigns++)];
            entry = { sample, &stage, lanes, {} };
            std::copy_n (coefficients.coefficients, entry.coefficients.size(), entry.coefficients.begin());
        };

        for (int k = 0; k < count; ++k)
        {
            const auto i = start + k;
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

            const auto sample = static_cast<std::size_t> (k);
            const auto* const filterFollower = followed[sample].data() + filterLanes;
            const auto* const ampFollower = followed[sample].data() + ampLanes;

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
            filterInput[sample] = { driven[0], driven[1], driven[0], driven[1] };
            const auto& dry = s.driveMixOn ? driven : modulated;
            dryInput[sample] = { dry[0], dry[1], 0.0f, 0.0f };

            // Crossover.
            const auto split = nextRampValue<ramping> (bandSplitterRamp);
            if (split != splitAt)
            {
                splitAt = split;
                const auto frequency = clampHz (split, 20.0f, 20000.0f, sampleRate);
                const auto highPass = Coefficients::makeHighPass (sampleRate, frequency);
                const auto lowPass = Coefficients::makeLowPass (sampleRate, frequency);
                for (auto* stage : { &split1, &split2 })
                {
                    design (k, *stage, highLanes, highPass);
                    design (k, *stage, lowLanes, lowPass);
                }
            }

            // Bass peak; the left and right filters take consecutive ramp values.
            const auto bassLeft = nextRampValue<ramping> (bassFreqRamp);
            const auto bassRight = nextRampValue<ramping> (bassFreqRamp);
            if constexpr (ramping)
                bassGain = bassGainOf (bassLevelRamp.getNextValue());
            if (bassLeft + bassRight + bassGain != bassAt)
            {
                bassAt = bassLeft + bassRight + bassGain;
                const auto leftCoefficients = Coefficients::makePeakFilter (sampleRate, clampHz (bassLeft, 30.0f, 1000.0f, sampleRate), 5.0, bassGain);
                if (bassRight == bassLeft)
                {
                    design (k, peaks, lowLanes, leftCoefficients);
                }
                else
                {
                    design (k, peaks, leftLow, leftCoefficients);
                    design (k, peaks, rightLow, Coefficients::makePeakFilter (sampleRate, clampHz (bassRight, 30.0f, 1000.0f, sampleRate), 5.0, bassGain));
                }
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
                // The peak sits in a high lane and the low-pass in the low lane of the same channel.
                const auto designFor = [&] (float value, unsigned lowLane)
                {
                    const auto frequency = clampHz (value, 20.0f, 20000.0f, sampleRate);
                    design (k, peaks, lowLane << 2, Coefficients::makePeakFilter (sampleRate, frequency, 15.0, resonanceGain));
                    design (k, cutLowPass, lowLane, Coefficients::makeLowPass (sampleRate, frequency, static_cast<double> (lowPassQ)));
                };

                if (cutoff[1] == cutoff[0])
                {
                    designFor (cutoff[0], lowLanes);
                }
                else
                {
                    designFor (cutoff[0], leftLow);
                    designFor (cutoff[1], rightLow);
                }
            }

            if constexpr (ramping)
            {
                levelCompensation = compensationOf (filterResRamp.getNextValue());
                dryLevel = std::sqrt (1.0f - mix);
                wetLevel = std::sqrt (mix);
                rampedLevels[sample] = { levelCompensation, dryLevel, wetLevel };
            }

            freakoutTimer.advance();
            gateTimer.advance();
        }

        for (int k = 0, nextDesign = 0; k < count; ++k)
        {
            const auto i = start + k;
            const auto sample = static_cast<std::size_t> (k);
            for (; nextDesign < numDesigns && designs[static_cast<std::size_t> (nextDesign)].sample == k; ++nextDesign)
            {
                const auto& made = designs[static_cast<std::size_t> (nextDesign)];
                made.stage->setCoefficients (made.lanes, made.coefficients.data());
            }

            if constexpr (ramping)
            {
                levelCompensation = rampedLevels[sample].compensation;
                dryLevel = rampedLevels[sample].dry;
                wetLevel = rampedLevels[sample].wet;
            }

            // The high half is inverted after each of its high-pass stages, and the resonance peak's
            // output moves down to the low lanes for the low-pass.
            const auto x = _mm_load_ps (filterInput[sample].data());
            const auto halves = _mm_xor_ps (split2.process (_mm_xor_ps (split1.process (x), highSign)), highSign);
            const auto bass = peaks.process (halves);
            const auto h = _mm_mul_ps (cutLowPass.process (_mm_movehl_ps (bass, bass)), _mm_set1_ps (levelCompensation));

            // The output is formed for both channels in the low lanes. With no saturation mix the
            // shaper adds only a signed zero, which changes nothing unless the clean sum is itself
            // zero.
            const auto clean = _mm_mul_ps (_mm_add_ps (h, bass), _mm_set1_ps (cleanMix));
            auto wet = clean;
            if (satMix != 0.0f || (static_cast<unsigned> (_mm_movemask_ps (_mm_cmpeq_ps (clean, _mm_setzero_ps()))) & channelLanes) != 0)
            {
                alignas (16) float bassOut[4], highOut[4], cleanOut[4];
                _mm_store_ps (bassOut, bass);
                _mm_store_ps (highOut, h);
                _mm_store_ps (cleanOut, clean);
                for (std::size_t c = 0; c < static_cast<std::size_t> (numChannels); ++c)
                {
                    if (satMix == 0.0f && cleanOut[c] != 0.0f)
                        continue;
                    const auto shaped = 2.0 * static_cast<double> (std::atan (2.0f * crunchDrive * highOut[c])) / 3.14159265359;
                    const auto sat = std::tanh (shaped * static_cast<double> (crunchScale) + static_cast<double> (bassOut[c]));
                    cleanOut[c] = static_cast<float> (static_cast<double> (cleanOut[c]) + sat * static_cast<double> (satMix));
                }
                wet = _mm_load_ps (cleanOut);
            }

            alignas (16) float out[4];
            _mm_store_ps (out, _mm_add_ps (_mm_mul_ps (_mm_load_ps (dryInput[sample].data()), _mm_set1_ps (dryLevel)), _mm_mul_ps (wet, _mm_set1_ps (wetLevel))));

            // A non-finite value means a filter state has blown up: start that channel afresh.
            if (const auto broken = ~static_cast<unsigned> (_mm_movemask_ps (finiteLanes (_mm_load_ps (out)))) & channelLanes; broken != 0)
            {
                for (int c = 0; c < numChannels; ++c)
                {
                    const auto lane = 1u << c;
                    if ((broken & lane) == 0)
                        continue;
                    for (auto* stage : { &split1, &split2, &peaks })
                        stage->reset (lane | lane << 2);
                    cutLowPass.reset (lane);
                    out[c] = 0.0f;
                }
            }

            for (int c = 0; c < numChannels; ++c)
                channels[c][i] = out[c];
        }
    }

    for (auto* stage : { &split1, &split2, &peaks, &cutLowPass })
        stage->finishBlock (channelLanes | channelLanes << 2);

    if (! phaseSelectsStep && numSamples > 0)
        gateTimer.storePhaseAt (gatePpq, patternBeats);
    if (numSamples > 0)
        freakoutTimer.finishHoldRun (holdRun, holdPpq);

    toneLfo = lfo;
    freakoutClock = freakoutTimer;
    gateClock = gateTimer;
    alignas (16) float lastFollowers[4];
    _mm_store_ps (lastFollowers, followers);
    filterLfoFollower = { lastFollowers[filterLanes], lastFollowers[filterLanes + 1] };
    ampLfoFollower = { lastFollowers[ampLanes], lastFollowers[ampLanes + 1] };
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
