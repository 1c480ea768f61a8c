#include "KnobLooks.h"

#include "editor/controls/BasicKnob.h"
#include "editor/Theme.h"

namespace
{
struct KnobStyle
{
    // Disc colour, or transparent to take the knob's fillColour.
    juce::Colour discColour;
    // The ring is radius / ringDivisor thick.
    float ringDivisor;
    juce::Colour BasicKnob::*pointerColour;
};

const KnobStyle basicKnob { juce::Colours::transparentBlack, 5.0f, &BasicKnob::pointerColour };
const KnobStyle redKnob { orangeLineColour, 3.0f, &BasicKnob::pointerAltColour };

void drawKnob (juce::Graphics& g,
               const BasicKnob& knob,
               int x,
               int y,
               int width,
               int height,
               float sliderPos,
               float rotaryStartAngle,
               float rotaryEndAngle,
               const KnobStyle& style)
{
    const auto radius = juce::jmin (static_cast<float> (width) / 2.5f, static_cast<float> (height) / 2.5f);
    const auto centreX = static_cast<float> (x) + static_cast<float> (width) * 0.5f;
    const auto centreY = static_cast<float> (y) + static_cast<float> (height) * 0.5f;
    const juce::Rectangle<float> disc (centreX - radius, centreY - radius, 2.0f * radius, 2.0f * radius);

    g.setColour (style.discColour.isTransparent() ? knob.fillColour : style.discColour);
    g.fillEllipse (disc);

    g.setColour (knob.outlineColour);
    g.drawEllipse (disc, radius / style.ringDivisor);

    // A bar from 0.75 to 0.2 of the radius above the centre, turned to the value's angle.
    const auto pointerWidth = radius / 6.0f;
    juce::Path pointer;
    pointer.addRectangle (-pointerWidth * 0.5f, -0.75f * radius, pointerWidth, 0.55f * radius);
    const auto angle = rotaryStartAngle + sliderPos * (rotaryEndAngle - rotaryStartAngle);
    pointer.applyTransform (juce::AffineTransform::rotation (angle).translated (centreX, centreY));

    g.setColour (knob.*style.pointerColour);
    g.fillPath (pointer);
}
} // namespace

BasicLookAndFeel::~BasicLookAndFeel() = default;

void BasicLookAndFeel::drawRotarySlider (juce::Graphics& g,
                                         int x,
                                         int y,
                                         int width,
                                         int height,
                                         float sliderPos,
                                         float rotaryStartAngle,
                                         float rotaryEndAngle,
                                         juce::Slider& slider)
{
    if (auto* knob = dynamic_cast<BasicKnob*> (&slider))
        drawKnob (g, *knob, x, y, width, height, sliderPos, rotaryStartAngle, rotaryEndAngle, basicKnob);
    else
        juce::LookAndFeel_V4::drawRotarySlider (g, x, y, width, height, sliderPos, rotaryStartAngle, rotaryEndAngle, slider);
}

RedKnobLookAndFeel::~RedKnobLookAndFeel() = default;

void RedKnobLookAndFeel::drawRotarySlider (juce::Graphics& g,
                                           int x,
                                           int y,
                                           int width,
                                           int height,
                                           float sliderPos,
                                           float rotaryStartAngle,
                                           float rotaryEndAngle,
                                           juce::Slider& slider)
{
    if (auto* knob = dynamic_cast<BasicKnob*> (&slider))
        drawKnob (g, *knob, x, y, width, height, sliderPos, rotaryStartAngle, rotaryEndAngle, redKnob);
    else
        juce::LookAndFeel_V4::drawRotarySlider (g, x, y, width, height, sliderPos, rotaryStartAngle, rotaryEndAngle, slider);
}
