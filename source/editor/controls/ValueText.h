#pragma once

#include <juce_core/juce_core.h>

// The value text shared by BasicKnob and BasicSlider: the number, then a blank and the unit.
namespace ValueText
{
juce::String fromValue (double value, const juce::String& suffix);

// Reads the number before the first blank; a text without a leading number reads as 0. Like
// JUCE's number reader, it reads "nan" and "inf" as numbers.
double toValue (const juce::String& text);
} // namespace ValueText
