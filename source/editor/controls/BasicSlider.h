#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A bar-style slider with the same value text rules as BasicKnob.
class BasicSlider : public juce::Slider
{
public:
    BasicSlider (float minimum, float maximum, const juce::String& suffix);
    ~BasicSlider() override;

    double getValueFromText (const juce::String& text) override;
    juce::String getTextFromValue (double value) override;

    juce::String suffix;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BasicSlider)
};
