#include "ValueText.h"

#include "processor/GuardedNumber.h"

namespace ValueText
{
juce::String fromValue (double value, const juce::String& suffix)
{
    juce::String text (value);
    if (suffix.isNotEmpty())
        text << " " << suffix;
    return text;
}

double toValue (const juce::String& text)
{
    return readNumber (text.upToFirstOccurrenceOf (" ", false, false).trim());
}
} // namespace ValueText
