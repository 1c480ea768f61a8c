#pragma once

#include "ThemedLookAndFeel.h"

// Linear sliders as a hardware-style fader: a dark slot, two rows of ticks, a frame and a block
// thumb with a white centre line, all laid out as fractions of the slider's own size. Every
// linear style is drawn the same way.
class FaderLookAndFeel : public ThemedLookAndFeel
{
public:
    ~FaderLookAndFeel() override;

    void drawLinearSlider (juce::Graphics& g,
                           int x,
                           int y,
                           int width,
                           int height,
                           float sliderPos,
                           float minSliderPos,
                           float maxSliderPos,
                           juce::Slider::SliderStyle style,
                           juce::Slider& slider) override;
    void drawLinearSliderThumb (juce::Graphics& g,
                                int x,
                                int y,
                                int width,
                                int height,
                                float sliderPos,
                                float minSliderPos,
                                float maxSliderPos,
                                juce::Slider::SliderStyle style,
                                juce::Slider& slider) override;
};

// The same fader with ticks that grow in height from left to right.
class FreakoutLookAndFeel : public ThemedLookAndFeel
{
public:
    ~FreakoutLookAndFeel() override;

    void drawLinearSlider (juce::Graphics& g,
                           int x,
                           int y,
                           int width,
                           int height,
                           float sliderPos,
                           float minSliderPos,
                           float maxSliderPos,
                           juce::Slider::SliderStyle style,
                           juce::Slider& slider) override;
    void drawLinearSliderThumb (juce::Graphics& g,
                                int x,
                                int y,
                                int width,
                                int height,
                                float sliderPos,
                                float minSliderPos,
                                float maxSliderPos,
                                juce::Slider::SliderStyle style,
                                juce::Slider& slider) override;
};
