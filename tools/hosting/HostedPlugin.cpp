#include "HostedPlugin.h"

namespace warbloom::hosting
{
void ManualPlayHead::setPosition (double bpm, double ppq, bool playing)
{
    PositionInfo info;
    info.setBpm (bpm);
    info.setPpqPosition (ppq);
    info.setIsPlaying (playing);
    position = info;
}

juce::String vst3ParameterIdFor (const juce::String& identifier)
{
    // Matches the wrapper's Studio One compatible ids: the string hash with the top bit cleared.
    const auto hash = static_cast<juce::uint32> (identifier.hashCode()) & 0x7fffffffu;
    return juce::String (hash);
}

juce::StringArray parameterIdentifiers()
{
    juce::StringArray identifiers {
#define WARBLOOM_PARAMETER(kind, stem, identifier, ...) identifier,
#include "processor/ParameterTable.def"
#undef WARBLOOM_PARAMETER
    };

    for (int number = 1; number <= 11; ++number)
        identifiers.add ("param" + juce::String (number));

    return identifiers;
}

juce::File HostedPlugin::builtBundle()
{
    // The artefact property names the bundle folder itself.
    return juce::File (WARBLOOM_VST3_BUNDLE);
}

std::unique_ptr<HostedPlugin> HostedPlugin::loadBuilt (double sampleRate, int blockSize, juce::String& error)
{
    return load (builtBundle(), sampleRate, blockSize, error);
}

std::unique_ptr<HostedPlugin> HostedPlugin::load (const juce::File& bundle, double sampleRate, int blockSize, juce::String& error)
{
    if (! bundle.exists())
    {
        error = "no plug-in bundle at " + bundle.getFullPathName();
        return nullptr;
    }

    juce::VST3PluginFormat format;
    juce::OwnedArray<juce::PluginDescription> types;
    format.findAllTypesForFile (types, bundle.getFullPathName());

    if (types.isEmpty())
    {
        error = "no VST3 class found in " + bundle.getFullPathName();
        return nullptr;
    }

    auto loaded = format.createInstanceFromDescription (*types.getFirst(), sampleRate, blockSize, error);

    if (loaded == nullptr)
    {
        if (error.isEmpty())
            error = "the plug-in could not be instantiated";
        return nullptr;
    }

    return std::unique_ptr<HostedPlugin> (new HostedPlugin (std::move (loaded), *types.getFirst()));
}

HostedPlugin::HostedPlugin (std::unique_ptr<juce::AudioPluginInstance> loaded, juce::PluginDescription desc)
    : instance (std::move (loaded)), pluginDescription (std::move (desc))
{
    instance->setPlayHead (&playHead);
}

juce::Array<juce::AudioProcessorParameter*> HostedPlugin::pluginParameters() const
{
    juce::Array<juce::AudioProcessorParameter*> result;

    for (auto* parameter : instance->getParameters())
        if (parameter != instance->getBypassParameter())
            result.add (parameter);

    return result;
}

juce::AudioProcessorParameter* HostedPlugin::parameterWithIdentifier (const juce::String& identifier) const
{
    const auto wanted = vst3ParameterIdFor (identifier);

    for (auto* parameter : pluginParameters())
        if (auto* hosted = dynamic_cast<juce::HostedAudioProcessorParameter*> (parameter))
            if (hosted->getParameterID() == wanted)
                return parameter;

    return nullptr;
}

void HostedPlugin::prepare (double sampleRate, int blockSize, int numChannels)
{
    const auto set = numChannels == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo();
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add (set);
    layout.outputBuses.add (set);
    instance->setBusesLayout (layout);
    instance->prepareToPlay (sampleRate, blockSize);
}

void HostedPlugin::process (juce::AudioBuffer<float>& buffer)
{
    midi.clear();
    instance->processBlock (buffer, midi);
}
} // namespace warbloom::hosting
