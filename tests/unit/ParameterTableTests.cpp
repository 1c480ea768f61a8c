#include "processor/WarbloomAudioProcessor.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
juce::RangedAudioParameter& parameterAt (WarbloomAudioProcessor& processor, int index)
{
    return *dynamic_cast<juce::RangedAudioParameter*> (processor.getParameters()[index]);
}

TEST (ParameterTable, HostOrderNamesAndSpares)
{
    WarbloomAudioProcessor processor;
    ASSERT_EQ (processor.getParameters().size(), 76);

    struct Row
    {
        int index;
        const char* identifier;
        const char* name;
        const char* unit;
    };
    const Row rows[] = {
        { 0, "bandSplitter", "Band Splitter", "Hz" },
        { 10, "toneRandomize", "Tone Randomizer", "" },
        { 31, "toneModRandomize", "Tone Mod Randomizer", "" },
        { 36, "echoInput", "Echo Input", "%" },
        { 41, "echoRandomize", "Echo Randomizer", "" },
        { 56, "echoModRandomize", "Mod Echo Randomizer", "" },
        { 57, "outputGain", "Output Gain", "dB" },
        { 61, "freakoutLatch", "Freakout Latch", "" },
        { 64, "freakoutFilter", "Freakout Latch", "" },
        { 65, "param1", "param 1", "%" },
        { 75, "param11", "param 11", "%" },
    };

    for (const auto& row : rows)
    {
        auto& parameter = parameterAt (processor, row.index);
        EXPECT_EQ (parameter.getParameterID(), row.identifier) << row.index;
        EXPECT_EQ (parameter.getName (100), row.name) << row.index;
        EXPECT_EQ (parameter.getLabel(), row.unit) << row.index;
        EXPECT_EQ (parameter.getVersionHint(), 1) << row.index;
        EXPECT_TRUE (parameter.isAutomatable());
        EXPECT_FALSE (parameter.isMetaParameter());
        EXPECT_EQ (parameter.getCategory(), juce::AudioProcessorParameter::genericParameter);
    }
}

TEST (ParameterTable, DefaultsLandWhereTheSkewsPutThem)
{
    WarbloomAudioProcessor processor;
    auto normalisedDefault = [&] (const juce::String& identifier)
    { return processor.apvts.getParameter (identifier)->getDefaultValue(); };

    EXPECT_NEAR (normalisedDefault ("bandSplitter"), 0.5f, 1.0e-4f);
    EXPECT_NEAR (normalisedDefault ("outputGain"), 0.5f, 1.0e-4f);
    EXPECT_FLOAT_EQ (normalisedDefault ("filterCut"), 1.0f);
    EXPECT_FLOAT_EQ (normalisedDefault ("toneModGateLength"), 1.0f);
    EXPECT_FLOAT_EQ (normalisedDefault ("echoModGateLength"), 1.0f);

    auto skewCentre = [&] (const juce::String& identifier)
    { return processor.apvts.getParameter (identifier)->convertFrom0to1 (0.5f); };
    EXPECT_NEAR (skewCentre ("filterCut"), 2400.0f, 1.0f);
    EXPECT_NEAR (skewCentre ("echoInput"), -12.0f, 0.1f);
    EXPECT_NEAR (skewCentre ("echoDamp"), 40.0f, 0.5f);

    const std::pair<const char*, float> choices[] = {
        { "toneModLfoRate", 9.0f },
        { "echoRate1", 7.0f },
        { "echoRate2", 7.0f },
        { "toneModGateRate", 8.0f },
        { "echoModGateRate", 8.0f },
        { "freakoutRate", 6.0f },
        { "echoFeedback", 30.0f },
    };
    for (const auto& [identifier, expected] : choices)
    {
        auto* parameter = processor.apvts.getParameter (identifier);
        EXPECT_FLOAT_EQ (parameter->convertFrom0to1 (parameter->getDefaultValue()), expected) << identifier;
    }

    EXPECT_FLOAT_EQ (processor.apvts.getParameter ("echoFeedback")->convertFrom0to1 (1.0f), 101.0f);
}

TEST (ParameterTable, ValueToTextTable)
{
    struct Case
    {
        float value;
        int maximumLength;
        const char* text;
    };
    const Case cases[] = {
        { 200.0f, 100, "200" },
        { 0.1f, 100, "0.1" },
        { -100.0f, 100, "-100" },
        { 1234567.0f, 100, "1.23457e+06" },
        { 1200.0f, 0, "" },
        { 1200.0f, -1, "" },
        { 1200.0f, 3, "120" },
        { 0.1f, 3, "0.1" },
    };

    for (const auto& c : cases)
        EXPECT_EQ (PluginParameters::valueToText (c.value, c.maximumLength), c.text) << c.value << " / " << c.maximumLength;
}

TEST (ParameterTable, TextToValueTable)
{
    const std::pair<const char*, float> cases[] = {
        { "12 Hz", 12.0f },
        { "abc", 0.0f },
        { " -3.5", -3.5f },
        { "1e3", 1000.0f },
        { "", 0.0f },
        { "nan", 0.0f },
        { "-nan", 0.0f },
        { "NaN Hz", 0.0f },
        { "1e4294967297", std::numeric_limits<float>::infinity() },
        { "2e-2147483648", 0.0f },
    };

    for (const auto& [text, value] : cases)
        EXPECT_FLOAT_EQ (PluginParameters::textToValue (text), value) << text;

    // What a host gets for text typed into its own parameter editor.
    WarbloomAudioProcessor processor;
    auto& outputGain = *processor.pluginParameters.apvts->getParameter (PluginParameters::outputGainID);
    EXPECT_FLOAT_EQ (outputGain.getValueForText ("nan"), outputGain.convertTo0to1 (0.0f));
    EXPECT_FLOAT_EQ (outputGain.getValueForText ("inf"), 1.0f);
}

TEST (ParameterTable, StaticsOfTheVocabulary)
{
    EXPECT_EQ (PluginParameters::toneRndID, "toneRandomize");
    EXPECT_EQ (PluginParameters::echoModRndID, "echoModRandomize");
    EXPECT_EQ (PluginParameters::freakoutFilterParamName, "Freakout Latch");
    EXPECT_EQ (PluginParameters::freakoutFilterName, "FILTER");
    EXPECT_EQ (PluginParameters::toneModLfoPowerName, "LFO");
    EXPECT_EQ (PluginParameters::driveMixName, "");
    EXPECT_EQ (PluginParameters::toneModStep1Name, "");
    EXPECT_EQ (PluginParameters::echoInputLabel, "%");
    EXPECT_EQ (PluginParameters::toneModWaveShiftLabel, "%");
    EXPECT_FLOAT_EQ (PluginParameters::bandSplitterDefault, 200.0f);
    EXPECT_FLOAT_EQ (PluginParameters::toneModWaveShiftDefault, 0.25f);
    static_assert (std::is_same_v<decltype (PluginParameters::toneModGateLengthDefault), const int>);
    EXPECT_EQ (PluginParameters::echoModGateLengthDefault, 8);
}
} // namespace
