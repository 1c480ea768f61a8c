#include "ButtonLooks.h"

#include "editor/Theme.h"

namespace
{
// What tells the two flat button faces apart.
struct FlatButtonStyle
{
    juce::Colour textColour;
    juce::Colour offColour;
    // Filled under the white of a pressed button; transparent for none.
    juce::Colour downColour;
    float downWhiteOpacity;
    juce::Colour onColour;
    float onWhiteOpacity;
    // The border is h / borderDivisor pixels thick, truncated.
    float borderDivisor;
};

const FlatButtonStyle blueButton { medButtonColour, buttonOffColour, buttonOnColour, 0.95f, buttonOnColour, 0.65f, 13.333333f };
const FlatButtonStyle orangeButton { labelTextColour, powerButtonOffColour, juce::Colours::transparentBlack, 0.75f, powerButtonOnColour, 0.4f, 10.666667f };

void drawFlatButton (juce::LookAndFeel& look, juce::Graphics& g, juce::Button& button, const FlatButtonStyle& style)
{
    look.setColour (juce::TextButton::buttonColourId, medButtonColour);
    look.setColour (juce::TextButton::textColourOnId, style.textColour);
    look.setColour (juce::TextButton::textColourOffId, style.textColour);

    const auto face = button.getLocalBounds();
    const auto inner = face.reduced (2);
    const auto h = static_cast<float> (face.getHeight());

    g.setColour (style.offColour);
    g.fillRect (face);

    if (button.getState() == juce::Button::buttonDown)
    {
        g.setColour (style.downColour);
        g.fillRect (face);
        g.setColour (juce::Colours::white.withAlpha (style.downWhiteOpacity));
        g.fillRect (face);
    }

    if (button.getToggleState())
    {
        g.setColour (style.onColour);
        g.fillRect (face);
        g.setColour (juce::Colours::white.withAlpha (style.onWhiteOpacity));
        g.fillRect (inner);
    }

    g.setColour (borderColour);
    g.drawRect (face.toFloat(), static_cast<float> (static_cast<int> (h / style.borderDivisor)));

    g.setColour (labelTextColour);
    g.setFont (buttonFont);
    g.setFont (h / 1.4f);
    g.drawFittedText (button.getButtonText(), inner, juce::Justification::centred, 1, 0.0f);
}
} // namespace

ButtonLookAndFeel::~ButtonLookAndFeel() = default;

void ButtonLookAndFeel::drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour&, bool, bool)
{
    drawFlatButton (*this, g, button, blueButton);
}

void ButtonLookAndFeel::drawButtonText (juce::Graphics&, juce::TextButton&, bool, bool)
{
}

OrangeButtonLookAndFeel::~OrangeButtonLookAndFeel() = default;

void OrangeButtonLookAndFeel::drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour&, bool, bool)
{
    drawFlatButton (*this, g, button, orangeButton);
}

void OrangeButtonLookAndFeel::drawButtonText (juce::Graphics&, juce::TextButton&, bool, bool)
{
}

EmptyButtonLookAndFeel::~EmptyButtonLookAndFeel() = default;

void EmptyButtonLookAndFeel::drawButtonBackground (juce::Graphics&, juce::Button&, const juce::Colour&, bool, bool)
{
}

void EmptyButtonLookAndFeel::drawButtonText (juce::Graphics&, juce::TextButton&, bool, bool)
{
}
