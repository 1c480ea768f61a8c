#include "DecibelKnob.h"

#include "processor/GuardedNumber.h"

namespace
{
// Values at or below this read as "-INF", whatever infValue says.
constexpr double silenceDecibels = -100.0;
} // namespace

DecibelKnob::DecibelKnob (float minimum, float maximum, const juce::String& suffixToUse)
    : BasicKnob (minimum, maximum, suffixToUse)
{
}

DecibelKnob::~DecibelKnob() = default;

double DecibelKnob::getValueFromText (const juce::String& text)
{
    const auto number = text.upToFirstOccurrenceOf ("DB", false, false).trim();
    if (number.equalsIgnoreCase ("-INF"))
        return infValue;

    return readNumber (number);
}

juce::String DecibelKnob::getTextFromValue (double value)
{
    if (value == 0.0)
        return "0.0 db";

    if (value <= silenceDecibels)
        return "-INF dB";

    return (value >= 0.0 ? "+" : "") + juce::String (value, 2) + " dB";
}
