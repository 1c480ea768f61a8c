#pragma once

#include "BasicKnob.h"

// A knob whose value text is in decibels; the bottom of the range reads "-INF".
class DecibelKnob : public BasicKnob
{
public:
    DecibelKnob (float minimum, float maximum, const juce::String& suffix);
    ~DecibelKnob() override;

    double getValueFromText (const juce::String& text) override;
    juce::String getTextFromValue (double value) override;

    float infValue = -100.0f;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DecibelKnob)
};
