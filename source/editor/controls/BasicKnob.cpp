#include "BasicKnob.h"

#include "ValueText.h"

BasicKnob::BasicKnob (float minimum, float maximum, const juce::String& suffixToUse)
    : suffix (suffixToUse)
{
    setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
    setSliderStyle (juce::Slider::RotaryHorizontalVerticalDrag);
    setRange (minimum, maximum, 0.0);
}

BasicKnob::~BasicKnob() = default;

double BasicKnob::getValueFromText (const juce::String& text)
{
    return ValueText::toValue (text);
}

juce::String BasicKnob::getTextFromValue (double value)
{
    return ValueText::fromValue (value, suffix);
}
