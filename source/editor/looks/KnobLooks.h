#pragma once

#include "ThemedLookAndFeel.h"

// A BasicKnob as a flat disc with an outline ring and a bar pointer, in the knob's own colours.
// Any other slider is drawn as JUCE's standard rotary slider.
class BasicLookAndFeel : public ThemedLookAndFeel
{
public:
    ~BasicLookAndFeel() override;

    void drawRotarySlider (juce::Graphics& g,
                           int x,
                           int y,
                           int width,
                           int height,
                           float sliderPos,
                           float rotaryStartAngle,
                           float rotaryEndAngle,
                           juce::Slider& slider) override;
};

// The same knob with a red disc, a heavier ring and the knob's alternative pointer colour.
class RedKnobLookAndFeel : public ThemedLookAndFeel
{
public:
    ~RedKnobLookAndFeel() override;

    void drawRotarySlider (juce::Graphics& g,
                           int x,
                           int y,
                           int width,
                           int height,
                           float sliderPos,
                           float rotaryStartAngle,
                           float rotaryEndAngle,
                           juce::Slider& slider) override;
};
