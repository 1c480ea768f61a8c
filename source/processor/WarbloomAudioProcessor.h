#pragma once

#include "EchoEngine.h"
#include "EditorResizeRequest.h"
#include "OutputSmoothers.h"
#include "PluginParameters.h"
#include "presets/PresetManager.h"
#include "ToneEngine.h"

#include <juce_audio_processors/juce_audio_processors.h>

class WarbloomAudioProcessor : public juce::AudioProcessor
{
public:
    WarbloomAudioProcessor();
    ~WarbloomAudioProcessor() override;

    const juce::String getName() const override;

    void prepareToPlay (double newSampleRate, int maximumExpectedSamplesPerBlock) override;
    void releaseResources() override;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midiMessages) override;
    using juce::AudioProcessor::processBlock;

    double getTailLengthSeconds() const override;
    bool acceptsMidi() const override;
    bool producesMidi() const override;
    bool isMidiEffect() const override;

    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override;

    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram (int index) override;
    const juce::String getProgramName (int index) override;
    void changeProgramName (int index, const juce::String& newName) override;

    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;

    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;

    juce::AudioProcessorValueTreeState apvts;
    PluginParameters pluginParameters;

    // Clock state, owned by the audio thread.
    float lfoStartPhase = 0.0f;
    float waveShiftSnapshot = 0.0f;
    double currentBpm = 120.0;
    double currentPpqPosition = 0.0;
    bool isPlaying = false;
    double sampleRate = 0.0;

    std::unique_ptr<ToneEngine> toneEngine = std::make_unique<ToneEngine>();
    std::unique_ptr<EchoEngine> echoEngine = std::make_unique<EchoEngine>();
    std::unique_ptr<OutputSmoothers> outputSmoothers = std::make_unique<OutputSmoothers>();

    // Made last and destroyed first: it names its folder after getName() and refers back here.
    std::unique_ptr<PresetManager> presetManager;

private:
    void readPlayHead();
    void processPiece (juce::AudioBuffer<float>& buffer, int start, int numSamples, bool stereo);

    // The block's dry input, sized by prepareToPlay so the audio thread does not allocate.
    juce::AudioBuffer<float> dryBuffer;

    // Destroyed first, so no resize is delivered to a processor being destroyed.
    EditorResizeRequest editorResize { *this };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WarbloomAudioProcessor)
};
