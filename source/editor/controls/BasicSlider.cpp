#include "BasicSlider.h"

#include "ValueText.h"

BasicSlider::BasicSlider (float minimum, float maximum, const juce::String& suffixToUse)
    : suffix (suffixToUse)
{
    setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
    setSliderStyle (juce::Slider::LinearBar);
    setRange (minimum, maximum, 0.0);
}

BasicSlider::~BasicSlider() = default;

double BasicSlider::getValueFromText (const juce::String& text)
{
    return ValueText::toValue (text);
}

juce::String BasicSlider::getTextFromValue (double value)
{
    return ValueText::fromValue (value, suffix);
}
