#include "ComboLookAndFeel.h"

#include "editor/Theme.h"

ComboLookAndFeel::~ComboLookAndFeel() = default;

void ComboLookAndFeel::drawPopupMenuItem (juce::Graphics& g,
                                          const juce::Rectangle<int>& area,
                                          bool,
                                          bool,
                                          bool isHighlighted,
                                          bool isTicked,
                                          bool,
                                          const juce::String& text,
                                          const juce::String&,
                                          const juce::Drawable*,
                                          const juce::Colour*)
{
    // The last row stays unfilled: a line of the menu background between items.
    g.setColour ((isHighlighted ? popupHoverColour : popupMenuColour).withAlpha (0.5f));
    g.fillRect (area.getX(), area.getY(), area.getWidth(), area.getHeight() - 1);

    g.setColour (isTicked ? popupTextAltColour : popupTextColour);
    g.setFont (popupFont);
    g.drawFittedText (text, 10, 1, juce::jmax (0, area.getRight() - 10), area.getHeight(), juce::Justification::left, 1, 0.0f);
}

void ComboLookAndFeel::drawComboBox (juce::Graphics& g, int width, int height, bool, int, int, int, int, juce::ComboBox&)
{
    static const juce::DropShadow shadow (juce::Colours::black, 5, {});

    const juce::Rectangle<int> face (0, 0, width, height);

    g.setColour (comboBoxColour);
    g.fillRect (face);
    shadow.drawForRectangle (g, face);

    g.setColour (borderColour);
    g.drawRect (face.toFloat(), 1.0f);

    const auto x0 = static_cast<float> (width - 30);
    const auto middle = static_cast<float> (height) * 0.5f;
    juce::Path arrow;
    arrow.startNewSubPath (x0 + 3.0f, static_cast<float> (height / 2) - 2.0f);
    arrow.lineTo (x0 + 7.5f, middle + 3.0f);
    arrow.lineTo (x0 + 15.0f - 3.0f, middle - 2.0f);
    g.strokePath (arrow, juce::PathStrokeType (1.0f, juce::PathStrokeType::mitered, juce::PathStrokeType::butt));
}

void ComboLookAndFeel::positionComboBoxText (juce::ComboBox&, juce::Label&)
{
}

void ComboLookAndFeel::drawComboBoxTextWhenNothingSelected (juce::Graphics&, juce::ComboBox&, juce::Label&)
{
}
