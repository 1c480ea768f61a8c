#pragma once

#include <juce_core/juce_core.h>

// The value text shared by BasicKnob and BasicSlider: the number, then a blank and the unit.
namespace ValueText
{
juce::String fromValue (double value, const juce::String& suffix);

// Reads the number before the first blank as the state block's numbers are read; a text without a
// leading number reads as 0, and "nan" and "inf" read as numbers.
double toValue (const juce::String& text);
} // namespace ValueText
