#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Flat button faces. They read the button's own down and toggle state and ignore the hover and
// colour arguments, so hovering changes nothing. The text is drawn with the face, so
// drawButtonText draws nothing.
class ButtonLookAndFeel : public juce::LookAndFeel_V4
{
public:
    ~ButtonLookAndFeel() override;

    void drawButtonBackground (juce::Graphics& g,
                               juce::Button& button,
                               const juce::Colour& backgroundColour,
                               bool shouldDrawButtonAsHighlighted,
                               bool shouldDrawButtonAsDown) override;
    void drawButtonText (juce::Graphics& g, juce::TextButton& button, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
};

// The orange power-style switches.
class OrangeButtonLookAndFeel : public juce::LookAndFeel_V4
{
public:
    ~OrangeButtonLookAndFeel() override;

    void drawButtonBackground (juce::Graphics& g,
                               juce::Button& button,
                               const juce::Colour& backgroundColour,
                               bool shouldDrawButtonAsHighlighted,
                               bool shouldDrawButtonAsDown) override;
    void drawButtonText (juce::Graphics& g, juce::TextButton& button, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
};

// Invisible buttons laid over areas that something else draws.
class EmptyButtonLookAndFeel : public juce::LookAndFeel_V4
{
public:
    ~EmptyButtonLookAndFeel() override;

    void drawButtonBackground (juce::Graphics& g,
                               juce::Button& button,
                               const juce::Colour& backgroundColour,
                               bool shouldDrawButtonAsHighlighted,
                               bool shouldDrawButtonAsDown) override;
    void drawButtonText (juce::Graphics& g, juce::TextButton& button, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
};
