#include "PluginParameters.h"

#include "GuardedNumber.h"

#include <cmath>

namespace
{
enum class CaptionStyle
{
    Translated,
    Plain,
    Blank
};

juce::String captionText (const char* caption, CaptionStyle style)
{
    switch (style)
    {
        case CaptionStyle::Translated:
            return juce::translate (caption);
        case CaptionStyle::Plain:
            return caption;
        case CaptionStyle::Blank:
            break;
    }
    return {};
}

constexpr int parameterVersion = 1;
} // namespace

// The statics, built in host order, each parameter's in the order ID, Name, ParamName, Label.
#define WARBLOOM_STRINGS(stem, id, hostName, caption, style)                                        \
    const juce::String PluginParameters::stem##ID { id };                                           \
    const juce::String PluginParameters::stem##Name { captionText (caption, CaptionStyle::style) }; \
    const juce::String PluginParameters::stem##ParamName { juce::translate (hostName) };
#define WARBLOOM_DEFINE_Float(stem, id, hostName, caption, style, unit) \
    WARBLOOM_STRINGS (stem, id, hostName, caption, style)               \
    const juce::String PluginParameters::stem##Label { unit };
#define WARBLOOM_DEFINE_Steps(stem, id, hostName, caption, style, unit) WARBLOOM_DEFINE_Float (stem, id, hostName, caption, style, unit)
#define WARBLOOM_DEFINE_Bool(stem, id, hostName, caption, style, unit) WARBLOOM_STRINGS (stem, id, hostName, caption, style)
#define WARBLOOM_DEFINE_Int(stem, id, hostName, caption, style, unit) WARBLOOM_STRINGS (stem, id, hostName, caption, style)
#define WARBLOOM_PARAMETER(kind, stem, id, hostName, caption, style, start, end, interval, skew, defaultValue, unit) \
    WARBLOOM_DEFINE_##kind (stem, id, hostName, caption, style, unit)
#include "ParameterTable.def"
#undef WARBLOOM_PARAMETER
#undef WARBLOOM_DEFINE_Float
#undef WARBLOOM_DEFINE_Steps
#undef WARBLOOM_DEFINE_Bool
#undef WARBLOOM_DEFINE_Int
#undef WARBLOOM_STRINGS

juce::String PluginParameters::valueToText (float value, int maximumStringLength)
{
    if (maximumStringLength < 1)
        return {};

    return juce::String (value).substring (0, maximumStringLength);
}

float PluginParameters::textToValue (const juce::String& text)
{
    // JUCE reads "nan" as a number, which would set the parameter to NaN.
    const auto value = readNumber (text);
    return std::isnan (value) ? 0.0f : static_cast<float> (value);
}

juce::AudioProcessorValueTreeState::ParameterLayout PluginParameters::createParameterLayout()
{
    std::vector<std::unique_ptr<juce::RangedAudioParameter>> parameters;
    parameters.reserve (numParameters);

    const std::function<juce::String (float, int)> toText = valueToText;
    const std::function<float (const juce::String&)> fromText = textToValue;

    auto addFloat = [&] (const juce::String& id, const juce::String& name, float start, float end, float interval, float skew, float defaultValue, const juce::String& unit)
    {
        parameters.push_back (std::make_unique<juce::AudioParameterFloat> (juce::ParameterID { id, parameterVersion },
                                                                           name,
                                                                           juce::NormalisableRange<float> (start, end, interval, skew),
                                                                           defaultValue,
                                                                           juce::AudioParameterFloatAttributes()
                                                                               .withLabel (unit)
                                                                               .withStringFromValueFunction (toText)
                                                                               .withValueFromStringFunction (fromText)));
    };
    auto addBool = [&] (const juce::String& id, const juce::String& name, float defaultValue)
    {
        parameters.push_back (std::make_unique<juce::AudioParameterBool> (juce::ParameterID { id, parameterVersion }, name, defaultValue != 0.0f));
    };
    auto addInt = [&] (const juce::String& id, const juce::String& name, float maximum, float defaultValue)
    {
        parameters.push_back (std::make_unique<juce::AudioParameterInt> (juce::ParameterID { id, parameterVersion },
                                                                         name,
                                                                         0,
                                                                         static_cast<int> (maximum),
                                                                         static_cast<int> (defaultValue)));
    };

#define WARBLOOM_ADD_Float(stem, start, end, interval, skew) addFloat (stem##ID, stem##ParamName, start, end, interval, skew, stem##Default, stem##Label);
#define WARBLOOM_ADD_Steps(stem, start, end, interval, skew) addFloat (stem##ID, stem##ParamName, start, end, interval, skew, static_cast<float> (stem##Default), stem##Label);
#define WARBLOOM_ADD_Bool(stem, start, end, interval, skew) addBool (stem##ID, stem##ParamName, defaultValueOf##stem);
#define WARBLOOM_ADD_Int(stem, start, end, interval, skew) addInt (stem##ID, stem##ParamName, end, defaultValueOf##stem);
#define WARBLOOM_PARAMETER(kind, stem, id, hostName, caption, style, start, end, interval, skew, defaultValue, unit) \
    [[maybe_unused]] const float defaultValueOf##stem = static_cast<float> (defaultValue);                           \
    WARBLOOM_ADD_##kind (stem, start, end, interval, skew)
#include "ParameterTable.def"
#undef WARBLOOM_PARAMETER
#undef WARBLOOM_ADD_Float
#undef WARBLOOM_ADD_Steps
#undef WARBLOOM_ADD_Bool
#undef WARBLOOM_ADD_Int

    // Spare parameters keep their slots in the host order and in stored states.
    for (int number = 1; number <= numSpareParameters; ++number)
        addFloat ("param" + juce::String (number), "param " + juce::String (number), 0.0f, 1.0f, 0.001f, 1.0f, 0.0f, "%");

    return { std::make_move_iterator (parameters.begin()), std::make_move_iterator (parameters.end()) };
}

PluginParameters::PluginParameters (juce::AudioProcessorValueTreeState& state)
    : apvts (&state)
{
#define WARBLOOM_BINDING(group, stem, listener, args, attachment) apvts->addParameterListener (stem##ID, &stem##Listener);
#include "ValueFieldBindings.def"
#undef WARBLOOM_BINDING
}

PluginParameters::~PluginParameters()
{
    detachToneControls();
    removeListeners (Group::Tone);
    detachEchoControls();
    removeListeners (Group::Echo);
    detachMasterControls();
    removeListeners (Group::Master);
}

void PluginParameters::removeListeners (Group group)
{
#define WARBLOOM_BINDING(rowGroup, stem, listener, args, attachment) \
    if (group == Group::rowGroup)                                    \
        apvts->removeParameterListener (stem##ID, &stem##Listener);
#include "ValueFieldBindings.def"
#undef WARBLOOM_BINDING
}

// Each detach function empties its group's attachments in host order.
#define WARBLOOM_BINDING(rowGroup, stem, listener, args, attachment) \
    if constexpr (detachGroup == Group::rowGroup)                    \
        stem##Attachment.reset();
void PluginParameters::detachToneControls()
{
    constexpr Group detachGroup = Group::Tone;
#include "ValueFieldBindings.def"
}

void PluginParameters::detachEchoControls()
{
    constexpr Group detachGroup = Group::Echo;
#include "ValueFieldBindings.def"
}

void PluginParameters::detachMasterControls()
{
    constexpr Group detachGroup = Group::Master;
#include "ValueFieldBindings.def"
}
#undef WARBLOOM_BINDING
