#include "FaderLooks.h"

#include "editor/Theme.h"

namespace
{
struct Tick
{
    float x, width, height, upperTop;
};

constexpr int firstTick = 2;
constexpr int lastTick = 22;

// Tick k stands at k / 24 of the width; the quarter, eighth and half are exact multiples.
float tickX (int k, float w)
{
    switch (k)
    {
        case 3:
            return w * 0.125f;
        case 6:
            return w * 0.25f;
        case 12:
            return w * 0.5f;
        default:
            return w / (24.0f / static_cast<float> (k));
    }
}

Tick evenTick (int k, float w, float h)
{
    const auto wide = k == firstTick || k == 12 || k == lastTick;
    return { tickX (k, w), wide ? w / 60.0f : w / 96.0f, h / 4.8f, h / 6.0f };
}

// Heights rise by h / 120 per tick; the upper row stands on the line 3h/8.
Tick risingTick (int k, float w, float h)
{
    const auto wide = k == firstTick || k == lastTick;
    const auto height = k == 12 ? h * 0.125f : h / (120.0f / static_cast<float> (k + 3));
    const auto upperTop = k == 12 ? h * 0.25f : h / (120.0f / static_cast<float> (42 - k));
    return { tickX (k, w), wide ? w / 60.0f : w / 96.0f, height, upperTop };
}

void drawFaderTrack (juce::Graphics& g, int x, int y, int width, int height, juce::Slider& slider, Tick (*tickAt) (int, float, float))
{
    const auto w = static_cast<float> (slider.getWidth());
    const auto h = static_cast<float> (slider.getHeight());

    g.setColour (borderColour);
    g.fillRect (w / 12.97297f, h / 2.307692f, w / 1.170732f, h / 6.0f);

    for (int k = firstTick; k <= lastTick; ++k)
    {
        const auto tick = tickAt (k, w, h);
        g.fillRect (tick.x, tick.upperTop, tick.width, tick.height);
    }

    for (int k = firstTick; k <= lastTick; ++k)
    {
        const auto tick = tickAt (k, w, h);
        g.fillRect (tick.x, h / 1.5f, tick.width, tick.height);
    }

    const auto frameThickness = 0.1f * juce::jmin (0.45f * static_cast<float> (juce::jmin (width, height)), 15.0f);
    g.drawRect (0.0f, 0.0f, w, h, frameThickness);

    g.setColour (sliderBaseColour);
    g.drawRect (static_cast<float> (x), static_cast<float> (y), static_cast<float> (width), static_cast<float> (height), 1.0f);
}

void drawFaderThumb (juce::Graphics& g, float sliderPos, juce::Slider& slider)
{
    const auto w = static_cast<float> (slider.getWidth());
    const auto h = static_cast<float> (slider.getHeight());
    const auto enabled = slider.isEnabled();
    const auto lively = slider.hasKeyboardFocus (false) || (enabled && slider.isMouseOverOrDragging());

    g.setColour (slider.findColour (juce::Slider::rotarySliderFillColourId)
                     .withMultipliedSaturation (lively ? 1.3f : 0.9f)
                     .withMultipliedAlpha (enabled ? 1.0f : 0.7f));
    g.fillRect (sliderPos * 0.87f + 2.0f, h / 6.0f, w / 9.6f, h / 1.5f);

    g.setColour (whiteTextColour);
    g.fillRect (static_cast<float> (static_cast<int> (sliderPos + 7.0f)) / 1.1368421f, h * 0.25f, w / 48.0f, h * 0.5f);
}
} // namespace

FaderLookAndFeel::~FaderLookAndFeel() = default;

void FaderLookAndFeel::drawLinearSlider (juce::Graphics& g,
                                         int x,
                                         int y,
                                         int width,
                                         int height,
                                         float sliderPos,
                                         float minSliderPos,
                                         float maxSliderPos,
                                         juce::Slider::SliderStyle style,
                                         juce::Slider& slider)
{
    drawFaderTrack (g, x, y, width, height, slider, evenTick);
    drawLinearSliderThumb (g, x, y, width, height, sliderPos, minSliderPos - 5.0f, maxSliderPos - 5.0f, style, slider);
}

void FaderLookAndFeel::drawLinearSliderThumb (juce::Graphics& g, int, int, int, int, float sliderPos, float, float, juce::Slider::SliderStyle, juce::Slider& slider)
{
    drawFaderThumb (g, sliderPos, slider);
}

FreakoutLookAndFeel::~FreakoutLookAndFeel() = default;

void FreakoutLookAndFeel::drawLinearSlider (juce::Graphics& g,
                                            int x,
                                            int y,
                                            int width,
                                            int height,
                                            float sliderPos,
                                            float minSliderPos,
                                            float maxSliderPos,
                                            juce::Slider::SliderStyle style,
                                            juce::Slider& slider)
{
    drawFaderTrack (g, x, y, width, height, slider, risingTick);
    drawLinearSliderThumb (g, x, y, width, height, sliderPos, minSliderPos - 5.0f, maxSliderPos - 5.0f, style, slider);
}

void FreakoutLookAndFeel::drawLinearSliderThumb (juce::Graphics& g, int, int, int, int, float sliderPos, float, float, juce::Slider::SliderStyle, juce::Slider& slider)
{
    drawFaderThumb (g, sliderPos, slider);
}
