#include "hosting/HostedPlugin.h"
#include "render/RenderOptions.h"
#include "render/TestSignal.h"
#include "support/ScratchPresetRoot.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <cstdlib>
#include <iostream>

namespace
{
using warbloom::hosting::HostedPlugin;

int fail (const juce::String& message)
{
    std::cerr << "warbloom-render: " << message << std::endl;
    return 2;
}

void listParameters (HostedPlugin& plugin)
{
    const auto identifiers = warbloom::hosting::parameterIdentifiers();
    const auto parameters = plugin.pluginParameters();

    for (int i = 0; i < parameters.size(); ++i)
    {
        auto* parameter = parameters[i];
        const auto identifier = i < identifiers.size() ? identifiers[i] : juce::String ("?");
        std::cout << juce::String (i).paddedLeft (' ', 2) << "  " << identifier.paddedRight (' ', 20) << "  "
                  << ("\"" + parameter->getName (64) + "\"").paddedRight (' ', 24) << "  default "
                  << parameter->getText (parameter->getDefaultValue(), 64) << " " << parameter->getLabel() << "\n";
    }
}

// Sets a parameter from a value in its own units, refusing values outside its range.
juce::String applySetting (HostedPlugin& plugin, const juce::String& identifier, const juce::String& text)
{
    auto* parameter = plugin.parameterWithIdentifier (identifier);
    if (parameter == nullptr)
        return "unknown parameter '" + identifier + "' (see --list-parameters)";

    const auto lower = text.toLowerCase();
    const bool isWord = lower == "on" || lower == "off" || lower == "true" || lower == "false";
    const auto requested = isWord ? (lower == "on" || lower == "true" ? 1.0 : 0.0) : text.getDoubleValue();

    if (! isWord && (! text.containsAnyOf ("0123456789") || ! std::isfinite (requested) || text.trim().retainCharacters ("0123456789+-.eE") != text.trim()))
        return "'" + text + "' is not a number for " + identifier;

    const auto normalised = parameter->getValueForText (juce::String (requested));
    const auto shownText = parameter->getText (normalised, 64);
    const auto shownLower = shownText.toLowerCase();
    const auto shown = shownLower == "on" ? 1.0 : shownLower == "off" ? 0.0
                                                                      : shownText.getDoubleValue();

    // The range clamps what is set; a shown value far from the request means it lay outside.
    if (std::abs (shown - requested) > juce::jmax (0.051, std::abs (requested) * 1.0e-3))
        return identifier + "=" + text + " is out of range (nearest is " + shownText + ")";

    parameter->setValueNotifyingHost (normalised);
    return {};
}

juce::String readInput (const juce::File& file, juce::AudioBuffer<float>& signal, double& fileRate)
{
    juce::AudioFormatManager formats;
    formats.registerBasicFormats();
    std::unique_ptr<juce::AudioFormatReader> reader (formats.createReaderFor (file));

    if (reader == nullptr || reader->lengthInSamples <= 0 || reader->lengthInSamples > std::numeric_limits<int>::max())
        return "cannot read input file '" + file.getFullPathName() + "' as audio";

    signal.setSize (2, static_cast<int> (reader->lengthInSamples));
    reader->read (&signal, 0, signal.getNumSamples(), 0, true, true);
    fileRate = reader->sampleRate;
    return {};
}
} // namespace

int main (int argc, char* argv[])
{
    const ScratchPresetRoot presetRoot;
    juce::ScopedJuceInitialiser_GUI juce;

    juce::StringArray arguments;
    for (int i = 1; i < argc; ++i)
        arguments.add (juce::String::fromUTF8 (argv[i]));

    juce::String error;
    auto options = warbloom::render::parseRenderOptions (arguments, error);
    if (! options)
        return fail (error);

    if (options->showHelp)
    {
        std::cout << warbloom::render::renderUsage() << std::endl;
        return 0;
    }

    juce::AudioBuffer<float> signal;
    auto sampleRate = options->sampleRate;

    if (options->input != juce::File())
    {
        if (auto message = readInput (options->input, signal, sampleRate); message.isNotEmpty())
            return fail (message);
    }
    else
    {
        signal = warbloom::render::makeTestSignal (sampleRate, options->signalSeconds, options->tempo);
    }

    auto plugin = options->plugin != juce::File() ? HostedPlugin::load (options->plugin, sampleRate, options->blockSize, error)
                                                  : HostedPlugin::loadBuilt (sampleRate, options->blockSize, error);
    if (plugin == nullptr)
        return fail (error);

    if (options->listParameters)
    {
        listParameters (*plugin);
        return 0;
    }

    for (const auto& [identifier, text] : options->settings)
        if (auto message = applySetting (*plugin, identifier, text); message.isNotEmpty())
            return fail (message);

    plugin->prepare (sampleRate, options->blockSize, 2);

    const auto tailSamples = static_cast<int> (options->tailSeconds * sampleRate);
    juce::AudioBuffer<float> rendered (2, signal.getNumSamples() + tailSamples);
    rendered.clear();
    for (int channel = 0; channel < 2; ++channel)
        rendered.copyFrom (channel, 0, signal, channel, 0, signal.getNumSamples());

    juce::AudioBuffer<float> block (2, options->blockSize);

    // Freakout draws from the C library's generator, which the VST3 SDK seeds as the bundle loads.
    if (options->seed)
        std::srand (*options->seed);

    const auto beatsPerSample = options->tempo / 60.0 / sampleRate;

    for (int start = 0; start < rendered.getNumSamples(); start += options->blockSize)
    {
        const auto length = juce::jmin (options->blockSize, rendered.getNumSamples() - start);
        block.setSize (2, length, false, false, true);
        for (int channel = 0; channel < 2; ++channel)
            block.copyFrom (channel, 0, rendered, channel, start, length);

        plugin->playHead.setPosition (options->tempo, start * beatsPerSample, true);
        plugin->process (block);

        for (int channel = 0; channel < 2; ++channel)
            rendered.copyFrom (channel, start, block, channel, 0, length);
    }

    plugin->processor().releaseResources();

    options->output.deleteFile();
    std::unique_ptr<juce::OutputStream> stream (options->output.createOutputStream());
    if (stream == nullptr)
        return fail ("cannot write output file '" + options->output.getFullPathName() + "'");

    juce::WavAudioFormat wav;
    std::unique_ptr<juce::AudioFormatWriter> writer (wav.createWriterFor (stream.get(), sampleRate, 2, options->floatOutput ? 32 : 24, {}, 0));
    if (writer == nullptr)
        return fail ("cannot write a WAV file at " + juce::String (sampleRate) + " Hz");

    stream.release();
    writer->writeFromAudioSampleBuffer (rendered, 0, rendered.getNumSamples());
    writer.reset();

    std::cout << "wrote " << options->output.getFullPathName() << " (" << rendered.getNumSamples() << " samples at "
              << sampleRate << " Hz)" << std::endl;
    return 0;
}
