#include "WarbloomAudioProcessor.h"

#include "editor/WarbloomAudioProcessorEditor.h"

#include <limits>

WarbloomAudioProcessor::WarbloomAudioProcessor()
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                                .withOutput ("Output", juce::AudioChannelSet::stereo(), true)),
      apvts (*this, nullptr, "Warbloom", PluginParameters::createParameterLayout()),
      pluginParameters (apvts)
{
    presetManager = std::make_unique<PresetManager> (*this);
}

WarbloomAudioProcessor::~WarbloomAudioProcessor() = default;

const juce::String WarbloomAudioProcessor::getName() const
{
    return "Warbloom";
}

// With feedback up to 101 % the echo can ring on without end; JUCE hands infinity to a VST3 host
// as an infinite tail, so a host never cuts the repeats when the input falls silent.
double WarbloomAudioProcessor::getTailLengthSeconds() const
{
    return std::numeric_limits<double>::infinity();
}

bool WarbloomAudioProcessor::acceptsMidi() const
{
    return false;
}

bool WarbloomAudioProcessor::producesMidi() const
{
    return false;
}

bool WarbloomAudioProcessor::isMidiEffect() const
{
    return false;
}

juce::AudioProcessorEditor* WarbloomAudioProcessor::createEditor()
{
    return new WarbloomAudioProcessorEditor (*this);
}

bool WarbloomAudioProcessor::hasEditor() const
{
    return true;
}

int WarbloomAudioProcessor::getNumPrograms()
{
    return 1;
}

int WarbloomAudioProcessor::getCurrentProgram()
{
    return 0;
}

void WarbloomAudioProcessor::setCurrentProgram (int)
{
}

const juce::String WarbloomAudioProcessor::getProgramName (int)
{
    return {};
}

void WarbloomAudioProcessor::changeProgramName (int, const juce::String&)
{
}

bool WarbloomAudioProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    const auto output = layouts.getMainOutputChannelSet();

    if (output != juce::AudioChannelSet::mono() && output != juce::AudioChannelSet::stereo())
        return false;

    return layouts.getMainInputChannelSet() == output;
}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new WarbloomAudioProcessor();
}
