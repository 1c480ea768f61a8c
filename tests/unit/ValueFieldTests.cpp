#include "processor/WarbloomAudioProcessor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
// Sets a parameter through the parameter state, in its own units, as the host or editor would.
void setInOwnUnits (WarbloomAudioProcessor& processor, const juce::String& identifier, float value)
{
    auto* parameter = processor.apvts.getParameter (identifier);
    parameter->setValueNotifyingHost (parameter->convertTo0to1 (value));
}

TEST (ValueFields, HoldConvertedDefaultsBeforeAnyChange)
{
    WarbloomAudioProcessor processor;
    const auto& p = processor.pluginParameters;

    EXPECT_EQ (p.echoMixValue.load(), 0.29999998f);
    EXPECT_EQ (p.echoFeedbackValue.load(), 30.0f * 0.01f);
    EXPECT_EQ (p.outputGainLinear.load(), 1.0f);
    EXPECT_EQ (p.inputDriveGain.load(), 1.0f);
    EXPECT_EQ (p.toneMixValue.load(), 1.0f);
    EXPECT_EQ (p.modTotalValue.load(), 100.0f);
    EXPECT_EQ (p.bandSplitterValue.load(), 200.0f);
    EXPECT_EQ (p.toneModLfoRateIndex.load(), 9);
    EXPECT_EQ (p.freakoutRateIndex.load(), 6);
    EXPECT_TRUE (p.echoModStepOn[7].load());
    EXPECT_FALSE (p.toneModGatePowerOn.load());
    EXPECT_EQ (processor.currentBpm, 120.0);
}

TEST (ValueFields, ConversionsThroughTheParameterState)
{
    WarbloomAudioProcessor processor;
    auto& p = processor.pluginParameters;

    struct Case
    {
        const char* identifier;
        float value;
        const std::atomic<float>& field;
        float expected;
    };
    const Case cases[] = {
        { "outputGain", -100.0f, p.outputGainLinear, 0.0f },
        { "outputGain", -99.9f, p.outputGainLinear, std::pow (10.0f, -99.9f * 0.05f) },
        { "outputGain", 12.0f, p.outputGainLinear, std::pow (10.0f, 12.0f * 0.05f) },
        { "echoInput", 10.0f, p.echoInputGain, std::pow (10.0f, 0.5f) },
        { "echoFeedback", 101.0f, p.echoFeedbackValue, 1.01f },
        { "satMix", 50.0f, p.satMixValue, 0.5f },
        { "filterRes", 40.0f, p.filterResValue, 40.0f },
        { "echoDamp", 40.0f, p.echoDampValue, 40.0f },
    };

    for (const auto& c : cases)
    {
        setInOwnUnits (processor, c.identifier, c.value);
        EXPECT_NEAR (c.field.load(), c.expected, std::abs (c.expected) * 1.0e-3f) << c.identifier << " " << c.value;
    }

    EXPECT_NEAR (p.outputGainLinear.load(), 3.98f, 0.01f);

    setInOwnUnits (processor, "echoRate1", 17.0f);
    EXPECT_EQ (p.echoRate1Index.load(), 17);
    setInOwnUnits (processor, "toneModStep3", 0.0f);
    EXPECT_FALSE (p.toneModStepOn[2].load());
    EXPECT_TRUE (p.toneModStepOn[1].load());
}

TEST (ValueFields, ListenerConversionsAtTheirEdges)
{
    std::atomic<float> gain { 5.0f };
    FloatDecibelListener decibels (gain, -100.0f);
    decibels.parameterChanged ({}, -100.0f);
    EXPECT_EQ (gain.load(), 0.0f);
    decibels.parameterChanged ({}, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ (gain.load(), 0.0f);

    std::atomic<bool> flag { false };
    BoolListener toggle (flag);
    const std::pair<float, bool> switches[] = { { 0.5f, true }, { 0.49f, false }, { 1.0f, true }, { std::numeric_limits<float>::quiet_NaN(), false } };
    for (const auto& [value, expected] : switches)
    {
        toggle.parameterChanged ({}, value);
        EXPECT_EQ (flag.load(), expected) << value;
    }

    std::atomic<int32_t> index { 0 };
    IntegerListener choice (index, 2, 3);
    choice.parameterChanged ({}, 4.9f);
    EXPECT_EQ (index.load(), 4 * 3 + 2);
    choice.parameterChanged ({}, -1.7f);
    EXPECT_EQ (index.load(), -1 * 3 + 2);
    choice.parameterChanged ({}, std::numeric_limits<float>::infinity());
    EXPECT_EQ (index.load(), -1);

    // A non-finite value never reaches a float field; the last good value stays.
    std::atomic<float> level { 0.25f };
    FloatListener scaled (level, 0.01f);
    scaled.parameterChanged ({}, 50.0f);
    EXPECT_EQ (level.load(), 0.5f);
    scaled.parameterChanged ({}, std::numeric_limits<float>::quiet_NaN());
    scaled.parameterChanged ({}, -std::numeric_limits<float>::infinity());
    EXPECT_EQ (level.load(), 0.5f);
}

TEST (ValueFields, SpareParametersTouchNoField)
{
    WarbloomAudioProcessor fresh;
    WarbloomAudioProcessor changed;

    for (int number = 1; number <= 11; ++number)
        changed.apvts.getParameter ("param" + juce::String (number))->setValueNotifyingHost (0.7f);

// The first of a row's listener arguments; the empty one added keeps "..." from ever being empty.
#define WARBLOOM_FIRST_OF(field, ...) field
#define WARBLOOM_FIELD_OF(...) WARBLOOM_FIRST_OF (__VA_ARGS__, )
#define WARBLOOM_BINDING(group, stem, listener, args, attachment) \
    EXPECT_EQ (fresh.pluginParameters.WARBLOOM_FIELD_OF args.load(), changed.pluginParameters.WARBLOOM_FIELD_OF args.load()) << #stem;
#include "processor/ValueFieldBindings.def"
#undef WARBLOOM_BINDING
#undef WARBLOOM_FIELD_OF
#undef WARBLOOM_FIRST_OF
}
} // namespace
