#include "BasicComboBox.h"

#include "editor/Theme.h"

BasicComboBox::BasicComboBox()
{
    // Its face draws with a theme font; make it before the first paint.
    loadThemeFonts();
}

BasicComboBox::~BasicComboBox() = default;

void BasicComboBox::paint (juce::Graphics& g)
{
    const auto h = getHeight();

    g.fillAll (comboBoxColour);

    // The border is a whole number of pixels, so boxes under 9 pixels high have none.
    g.setColour (borderColour);
    g.drawRect (getLocalBounds().toFloat(), static_cast<float> (static_cast<int> (h / 9.0)));

    g.setColour (labelTextColour);
    g.setFont (comboFont);
    g.setFont (static_cast<float> (h / 1.5));
    g.drawText (getText(), getLocalBounds(), juce::Justification::centred, true);
}

void BasicComboBox::resized()
{
}
