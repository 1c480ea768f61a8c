#include "hosting/HostedPlugin.h"
#include "support/LoadBuiltWarbloom.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
using warbloom::hosting::HostedPlugin;

TEST (PluginClass, DescribesItselfToTheHost)
{
    auto plugin = loadWarbloom();
    ASSERT_NE (plugin, nullptr);
    const auto& description = plugin->description();

    EXPECT_EQ (description.name, "Warbloom");
    EXPECT_EQ (description.manufacturerName, "Kestrune Audio");
    EXPECT_EQ (description.version, "1.0.0");
    EXPECT_EQ (description.pluginFormatName, "VST3");
    EXPECT_FALSE (description.isInstrument);
    for (const auto* word : { "Fx", "Delay", "Distortion" })
        EXPECT_TRUE (description.category.contains (word)) << description.category;

    auto& processor = plugin->processor();
    EXPECT_EQ (processor.getName(), "Warbloom");
    EXPECT_FALSE (processor.acceptsMidi());
    EXPECT_FALSE (processor.producesMidi());
    EXPECT_EQ (processor.getBusCount (true), 1);
    EXPECT_EQ (processor.getBusCount (false), 1);
    EXPECT_EQ (processor.getChannelLayoutOfBus (true, 0), juce::AudioChannelSet::stereo());
    EXPECT_EQ (processor.getChannelLayoutOfBus (false, 0), juce::AudioChannelSet::stereo());
}

TEST (PluginClass, AcceptsMatchingMonoOrStereoOnly)
{
    auto plugin = loadWarbloom();
    ASSERT_NE (plugin, nullptr);
    using Set = juce::AudioChannelSet;

    struct Case
    {
        Set input;
        Set output;
        bool accepted;
    };
    const Case cases[] = {
        { Set::stereo(), Set::stereo(), true },
        { Set::mono(), Set::mono(), true },
        { Set::mono(), Set::stereo(), false },
        { Set::stereo(), Set::mono(), false },
        { Set::createLCR(), Set::createLCR(), false },
    };

    for (const auto& c : cases)
    {
        juce::AudioProcessor::BusesLayout layout;
        layout.inputBuses.add (c.input);
        layout.outputBuses.add (c.output);
        EXPECT_EQ (plugin->processor().checkBusesLayoutSupported (layout), c.accepted)
            << c.input.getDescription() << " -> " << c.output.getDescription();
    }
}

TEST (PluginClass, ShowsTheParameterTable)
{
    auto plugin = loadWarbloom();
    ASSERT_NE (plugin, nullptr);

    const auto parameters = plugin->pluginParameters();
    ASSERT_EQ (parameters.size(), 76);
    EXPECT_NE (plugin->processor().getBypassParameter(), nullptr);

    const auto identifiers = warbloom::hosting::parameterIdentifiers();
    for (int i = 0; i < parameters.size(); ++i)
        EXPECT_EQ (plugin->parameterWithIdentifier (identifiers[i]), parameters[i]) << identifiers[i];

    struct Row
    {
        const char* identifier;
        const char* name;
        const char* unit;
        float normalisedDefault;
        const char* defaultText;
    };
    const Row rows[] = {
        { "bandSplitter", "Band Splitter", "Hz", 0.5f, "200" },
        { "inputDrive", "Input Drive", "dB", 0.0f, "0" },
        { "filterCut", "Filter Cutoff", "Hz", 1.0f, "20000" },
        { "toneMix", "Tone Dry/Wet Mix", "%", 1.0f, "100" },
        { "toneModLfoRate", "Tone LFO Rate", "", 9.0f / 16.0f, "9" },
        { "toneModGateLength", "Tone Gate Length", "Step", 1.0f, "8" },
        { "toneModWaveShift", "Tone LFO Wave Shift", "%", 0.0f, "0.25" },
        { "toneModGatePower", "Tone Gate On/Off", "", 0.0f, "Off" },
        { "echoRate1", "Echo Rate 1", "", 7.0f / 17.0f, "7" },
        { "echoInput", "Echo Input", "%", -1.0f, "0" },
        { "echoFeedback", "Echo Feedback", "%", 30.0f / 101.0f, "30" },
        { "echoMix", "Echo Mix", "%", 0.3f, "30" },
        { "outputGain", "Output Gain", "dB", 0.5f, "0" },
        { "freakoutRate", "Freakout Rate", "", 6.0f / 16.0f, "6" },
        { "freakoutFilter", "Freakout Latch", "", 1.0f, "On" },
        { "param1", "param 1", "%", 0.0f, "0" },
        { "param11", "param 11", "%", 0.0f, "0" },
    };

    for (const auto& row : rows)
    {
        auto* parameter = plugin->parameterWithIdentifier (row.identifier);
        ASSERT_NE (parameter, nullptr) << row.identifier;
        EXPECT_EQ (parameter->getName (100), row.name) << row.identifier;
        EXPECT_EQ (parameter->getLabel(), row.unit) << row.identifier;
        if (row.normalisedDefault >= 0.0f)
        {
            EXPECT_NEAR (parameter->getDefaultValue(), row.normalisedDefault, 1.0e-4f) << row.identifier;
        }
        EXPECT_EQ (parameter->getText (parameter->getDefaultValue(), 100), row.defaultText) << row.identifier;
    }

    EXPECT_EQ (parameters[64]->getName (100), "Freakout Latch");
    EXPECT_EQ (parameters[65]->getName (100), "param 1");
}

TEST (PluginClass, ConvertsValuesAndTextThroughTheHost)
{
    auto plugin = loadWarbloom();
    ASSERT_NE (plugin, nullptr);
    auto* splitter = plugin->parameterWithIdentifier ("bandSplitter");
    auto* mix = plugin->parameterWithIdentifier ("echoMix");
    ASSERT_NE (splitter, nullptr);
    ASSERT_NE (mix, nullptr);

    EXPECT_EQ (splitter->getText (1.0f, 100), "1200");
    EXPECT_EQ (splitter->getText (1.0f, 3), "120");
    EXPECT_NEAR (mix->getValueForText ("12 %"), 0.12f, 1.0e-6f);
    EXPECT_EQ (mix->getValueForText ("abc"), 0.0f);
    EXPECT_NEAR (plugin->parameterWithIdentifier ("outputGain")->getValueForText (" -3.5"),
                 plugin->parameterWithIdentifier ("outputGain")->getValueForText ("-3.5"),
                 1.0e-6f);

    mix->setValueNotifyingHost (0.5f);
    EXPECT_FLOAT_EQ (mix->getValue(), 0.5f);
    EXPECT_EQ (mix->getText (mix->getValue(), 100), "50");
}

TEST (PluginClass, ReportsAnEndlessTail)
{
    // The plug-in answers kInfiniteTail, which JUCE's host side reads back as infinity.
    auto plugin = loadWarbloom();
    ASSERT_NE (plugin, nullptr);
    plugin->prepare (48000.0, 512, 2);
    EXPECT_EQ (plugin->processor().getTailLengthSeconds(), std::numeric_limits<double>::infinity());
}

TEST (PluginClass, ProcessesABlock)
{
    auto plugin = loadWarbloom();
    ASSERT_NE (plugin, nullptr);
    plugin->prepare (48000.0, 512, 2);
    plugin->playHead.setPosition (120.0, 0.0, true);

    juce::AudioBuffer<float> buffer (2, 512);
    buffer.clear();
    plugin->process (buffer);

    for (int channel = 0; channel < 2; ++channel)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
            ASSERT_TRUE (std::isfinite (buffer.getSample (channel, i)));

    plugin->processor().releaseResources();
}
} // namespace
