#include "LabelLooks.h"

#include "editor/Theme.h"

namespace
{
// The font is the label's height plus heightOffset pixels; the text box starts top pixels down.
void drawCaption (juce::Graphics& g, juce::Label& label, int heightOffset, int top)
{
    const auto w = label.getWidth();
    const auto h = label.getHeight();

    g.setColour (labelTextColour);
    g.setFont (knobFont);
    g.setFont (static_cast<float> (h + heightOffset));
    g.drawFittedText (label.getText(), juce::Rectangle<int> (0, top, w, h), juce::Justification::centred, 1, 0.0f);
}
} // namespace

KnobLabelLookAndFeel::~KnobLabelLookAndFeel() = default;

void KnobLabelLookAndFeel::drawLabel (juce::Graphics& g, juce::Label& label)
{
    drawCaption (g, label, 1, 0);
}

KnobSmLabelLookAndFeel::~KnobSmLabelLookAndFeel() = default;

void KnobSmLabelLookAndFeel::drawLabel (juce::Graphics& g, juce::Label& label)
{
    drawCaption (g, label, 3, 0);
}

KnobLgLabelLookAndFeel::~KnobLgLabelLookAndFeel() = default;

void KnobLgLabelLookAndFeel::drawLabel (juce::Graphics& g, juce::Label& label)
{
    drawCaption (g, label, -3, 0);
}

SliderLabelLookAndFeel::~SliderLabelLookAndFeel() = default;

void SliderLabelLookAndFeel::drawLabel (juce::Graphics& g, juce::Label& label)
{
    drawCaption (g, label, 0, 1);
}
