#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A rotary slider without a text box. The knob looks draw it with the colours it carries, so each
// panel can colour its knobs without a look-and-feel per colour.
class BasicKnob : public juce::Slider
{
public:
    BasicKnob (float minimum, float maximum, const juce::String& suffix);
    ~BasicKnob() override;

    double getValueFromText (const juce::String& text) override;
    juce::String getTextFromValue (double value) override;

    juce::Colour fillColour { 0xFF343738 };
    juce::Colour outlineColour { 0xFF343738 };
    juce::Colour pointerColour { 0xFFB8C0C9 };
    juce::Colour pointerAltColour { 0xFF343738 };
    juce::String suffix;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BasicKnob)
};
