#pragma once

#include "ThemedLookAndFeel.h"

// Flat button faces. They read the button's own down and toggle state and ignore the hover and
// colour arguments, so hovering changes nothing. The text is drawn with the face, so
// drawButtonText draws nothing.
class ButtonLookAndFeel : public ThemedLookAndFeel
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
class OrangeButtonLookAndFeel : public ThemedLookAndFeel
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
class EmptyButtonLookAndFeel : public ThemedLookAndFeel
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
