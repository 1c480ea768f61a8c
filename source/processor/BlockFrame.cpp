#include "EngineSettings.h"
#include "WarbloomAudioProcessor.h"

#include <cmath>

namespace
{
// Non-finite samples would poison every filter and loop they reach; they enter as silence.
void replaceNonFinite (float* samples, int numSamples)
{
    for (int i = 0; i < numSamples; ++i)
        samples[i] = std::isfinite (samples[i]) ? samples[i] : 0.0f;
}
} // namespace

void WarbloomAudioProcessor::prepareToPlay (double, int maximumExpectedSamplesPerBlock)
{
    sampleRate = getSampleRate();

    if (sampleRate > 0.0)
    {
        toneEngine->prepare (sampleRate);
        echoEngine->prepare (sampleRate);
        outputSmoothers->prepare (sampleRate);
    }

    dryBuffer.setSize (juce::jmax (2, getTotalNumInputChannels(), getTotalNumOutputChannels()), juce::jmax (1, maximumExpectedSamplesPerBlock));
    // Written once here, so that its pages too are resident before the first block.
    dryBuffer.clear();

    currentPpqPosition = 0.0;
    isPlaying = false;
    currentBpm = 120.0;
}

void WarbloomAudioProcessor::releaseResources()
{
    echoEngine->clearLines();
}

void WarbloomAudioProcessor::readPlayHead()
{
    auto* host = getPlayHead();
    if (host == nullptr)
        return;

    auto bpm = 120.0;
    auto position = 0.0;
    auto playing = false;

    if (const auto info = host->getPosition())
    {
        position = info->getPpqPosition().orFallback (0.0);
        bpm = info->getBpm().orFallback (120.0);
        playing = info->getIsPlaying();
    }

    // A host's NaN or infinity is treated as no value at all.
    if (! std::isfinite (bpm))
        bpm = 120.0;
    if (! std::isfinite (position))
        position = 0.0;

    currentBpm = bpm;
    isPlaying = playing;
    waveShiftSnapshot = pluginParameters.toneModWaveShiftValue.load (std::memory_order_relaxed);

    if (playing)
    {
        currentPpqPosition = position;

        if (position == 0.0)
        {
            toneEngine->restartClocks (lfoStartPhase);
            echoEngine->restartClocks (lfoStartPhase);
        }
    }
}

void WarbloomAudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    juce::ScopedNoDenormals noDenormals;
    const auto numSamples = buffer.getNumSamples();

    for (auto channel = getTotalNumInputChannels(); channel < getTotalNumOutputChannels(); ++channel)
        buffer.clear (channel, 0, numSamples);

    // Until the host has prepared a sample rate the audio passes untouched.
    if (sampleRate <= 0.0 || buffer.getNumChannels() == 0)
        return;

    readPlayHead();

    const auto stereo = getTotalNumOutputChannels() == 2 && buffer.getNumChannels() >= 2;

    if (! buffer.hasBeenCleared())
        for (int channel = 0; channel < (stereo ? 2 : 1); ++channel)
            replaceNonFinite (buffer.getWritePointer (channel), numSamples);

    // A host that sends more samples than it announced gets them in pieces of the announced size,
    // each timed as the block that would follow the last, so nothing grows on the audio thread.
    const auto piece = dryBuffer.getNumSamples();

    for (int start = 0; start < numSamples; start += piece)
    {
        const auto length = juce::jmin (piece, numSamples - start);
        processPiece (buffer, start, length, stereo);

        if (! isPlaying || start + length < numSamples)
            currentPpqPosition += length * (currentBpm / 60.0) / sampleRate;
    }
}

void WarbloomAudioProcessor::processPiece (juce::AudioBuffer<float>& buffer, int start, int numSamples, bool stereo)
{
    for (int channel = 0; channel < (stereo ? 2 : 1); ++channel)
        dryBuffer.copyFrom (channel, 0, buffer, channel, start, numSamples);

    auto* left = buffer.getWritePointer (0, start);
    auto* right = stereo ? buffer.getWritePointer (1, start) : nullptr;
    const auto* dryLeft = dryBuffer.getReadPointer (0);
    const auto* dryRight = stereo ? dryBuffer.getReadPointer (1) : nullptr;

    auto toneSettings = readToneSettings (pluginParameters);
    toneSettings.waveShift = lfoStartPhase + waveShiftSnapshot;
    toneEngine->startBlock (toneSettings, currentBpm, currentPpqPosition);

    if (pluginParameters.tonePowerOn.load (std::memory_order_relaxed))
        toneEngine->process (left, right, numSamples);
    else
        toneEngine->skipWhileOff (numSamples);

    echoEngine->startBlock (readEchoSettings (pluginParameters), currentBpm, currentPpqPosition);
    echoEngine->process (left, right, numSamples);

    outputSmoothers->process (left,
                              right,
                              dryLeft,
                              dryRight,
                              numSamples,
                              pluginParameters.outputGainLinear.load (std::memory_order_relaxed),
                              pluginParameters.dryWetMixValue.load (std::memory_order_relaxed));
}
