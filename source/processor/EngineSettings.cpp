#include "EngineSettings.h"

namespace
{
template <typename Value>
Value load (const std::atomic<Value>& field)
{
    return field.load (std::memory_order_relaxed);
}

std::array<bool, 8> loadSteps (const std::array<std::atomic<bool>, 8>& fields)
{
    std::array<bool, 8> steps {};
    for (std::size_t k = 0; k < steps.size(); ++k)
        steps[k] = load (fields[k]);
    return steps;
}
} // namespace

ToneSettings readToneSettings (const PluginParameters& p)
{
    ToneSettings s;
    s.bandSplitter = load (p.bandSplitterValue);
    s.inputDriveGain = load (p.inputDriveGain);
    s.bassFreq = load (p.bassFreqValue);
    s.bassLevel = load (p.bassLevelValue);
    s.filterCut = load (p.filterCutValue);
    s.filterRes = load (p.filterResValue);
    s.satCrunch = load (p.satCrunchValue);
    s.satMix = load (p.satMixValue);
    s.toneMix = load (p.toneMixValue);
    s.driveMixOn = load (p.driveMixOn);
    s.lfoWave = load (p.toneModLfoWaveIndex);
    s.lfoRate = load (p.toneModLfoRateIndex);
    s.lfoOffset = load (p.toneModLfoOffsetValue);
    s.lfoPowerOn = load (p.toneModLfoPowerOn);
    s.gateRate = load (p.toneModGateRateIndex);
    s.gateLength = load (p.toneModGateLengthValue);
    s.gateType = load (p.toneModGateTypeIndex);
    s.gatePowerOn = load (p.toneModGatePowerOn);
    s.filterModDepth = load (p.toneFilterModDepthValue);
    s.ampModDepth = load (p.toneAmpModDepthValue);
    s.stepOn = loadSteps (p.toneModStepOn);
    s.modTotal = load (p.modTotalValue);
    s.freakout = load (p.freakoutValue);
    s.freakoutRate = load (p.freakoutRateIndex);
    s.freakoutFilterOn = load (p.freakoutFilterOn);
    return s;
}

EchoSettings readEchoSettings (const PluginParameters& p)
{
    EchoSettings s;
    s.rate1 = load (p.echoRate1Index);
    s.rate2 = load (p.echoRate2Index);
    s.rateLinkOn = load (p.echoRateLinkOn);
    s.pingPongOn = load (p.echoPingPongModeOn);
    s.inputGain = load (p.echoInputGain);
    s.spread = load (p.echoSpreadValue);
    s.feedback = load (p.echoFeedbackValue);
    s.damp = load (p.echoDampValue);
    s.mix = load (p.echoMixValue);
    s.powerOn = load (p.echoPowerOn);
    s.gateRate = load (p.echoModGateRateIndex);
    s.gateLength = load (p.echoModGateLengthValue);
    s.inputModLevel = load (p.echoInputModLevelValue);
    s.feedModLevel = load (p.echoFeedModLevelValue);
    s.gatePowerOn = load (p.echoModGatePowerOn);
    s.stepOn = loadSteps (p.echoModStepOn);
    s.modTotal = load (p.modTotalValue);
    s.freakout = load (p.freakoutValue);
    s.freakoutRate = load (p.freakoutRateIndex);
    s.freakoutEchoOn = load (p.freakoutEchoOn);
    return s;
}
