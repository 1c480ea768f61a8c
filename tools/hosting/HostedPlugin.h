#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>
#include <optional>

namespace warbloom::hosting
{
// A play head a test or tool sets by hand; an empty position stands for a host that reports none.
class ManualPlayHead : public juce::AudioPlayHead
{
public:
    juce::Optional<PositionInfo> getPosition() const override { return position; }

    void setPosition (double bpm, double ppq, bool playing);
    juce::Optional<PositionInfo> position;
};

// The built bundle loaded through JUCE's VST3 hosting: module, factory, component and controller.
class HostedPlugin
{
public:
    // Returns null and fills error when the bundle cannot be scanned or instantiated.
    static std::unique_ptr<HostedPlugin> load (const juce::File& bundle, double sampleRate, int blockSize, juce::String& error);
    static std::unique_ptr<HostedPlugin> loadBuilt (double sampleRate, int blockSize, juce::String& error);
    static juce::File builtBundle();

    juce::AudioPluginInstance& processor() { return *instance; }
    const juce::PluginDescription& description() const { return pluginDescription; }

    // The host-visible parameters that the plug-in declares, without the wrapper's bypass.
    juce::Array<juce::AudioProcessorParameter*> pluginParameters() const;

    // The host parameter whose VST3 id JUCE derived from the given identifier, or null.
    juce::AudioProcessorParameter* parameterWithIdentifier (const juce::String& identifier) const;

    void prepare (double sampleRate, int blockSize, int numChannels);
    void process (juce::AudioBuffer<float>& buffer);

    ManualPlayHead playHead;

private:
    HostedPlugin (std::unique_ptr<juce::AudioPluginInstance> loaded, juce::PluginDescription desc);

    std::unique_ptr<juce::AudioPluginInstance> instance;
    juce::PluginDescription pluginDescription;
    juce::MidiBuffer midi;
};

// JUCE's VST3 client turns each parameter identifier into a VST3 id this way.
juce::String vst3ParameterIdFor (const juce::String& identifier);

// The 76 parameter identifiers in host order; the host itself sees only their VST3 ids.
juce::StringArray parameterIdentifiers();
} // namespace warbloom::hosting
