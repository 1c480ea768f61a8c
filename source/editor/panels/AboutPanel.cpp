#include "AboutPanel.h"

#include "editor/Theme.h"

#include <BinaryData.h>

namespace
{
struct TextLine
{
    const char* text;
    juce::Colour colour;
    const juce::Font& font;
    int heightDivisor; // the font height is the panel height divided by this, in integers
    float y;
};

const DesignRect boxRect { 139, 67, 470, 250 };
const DesignRect linkRect { 273.5f, 185, 218, 23 };
const DesignRect markRect { 151, 147, 166, 45 };
} // namespace

AboutPanel::AboutPanel()
{
    link = std::make_unique<juce::HyperlinkButton> ("kestrune.example", juce::URL ("https://kestrune.example"));
    link->setFont (popupFont, true, juce::Justification::left);
    link->setColour (juce::HyperlinkButton::textColourId, popupTextColour);
    addAndMakeVisible (*link);
}

AboutPanel::~AboutPanel() = default;

juce::Rectangle<int> AboutPanel::boxBounds() const
{
    return layout.bounds (boxRect, *this);
}

void AboutPanel::mouseUp (const juce::MouseEvent& e)
{
    if (! boxBounds().contains (e.getPosition()))
        setVisible (false);
}

void AboutPanel::paint (juce::Graphics& g)
{
    static const juce::DropShadow shadow (juce::Colour (0xFF000000), 5, {});

    const auto w = getWidth();
    const auto h = getHeight();

    g.setColour (overlayScreen);
    g.fillAll();

    const auto box = boxBounds();
    shadow.drawForRectangle (g, box);
    g.setColour (juce::Colour (0xFF292E2F));
    g.fillRect (box);
    g.setColour (headerTextColour);
    g.drawRect (box.toFloat(), 2.0f);

    // The content is placed relative to the box but still sized from the whole panel.
    g.setOrigin (box.getPosition());

    const auto mark = juce::ImageCache::getFromMemory (BinaryData::logomark_png, BinaryData::logomark_pngSize);
    if (mark.isValid())
        g.drawImage (mark, layout.area (markRect, w, h), juce::RectanglePlacement::stretchToFit);

    const TextLine lines[] = {
        { "Warbloom", headerTextColourAlt, headerFont, 10, 16 },
        { "v1.0", altTextColour, labelFont, 20, 40 },
        { "Designed and built by Kestrune Audio", altTextColour, labelFont, 20, 66 },
        { "For info and updates visit", altTextColour, labelFont, 20, 94 },
        { "Copyright 2026 Kestrune Audio. All rights reserved.", altTextColour, labelFont, 28, 192 },
        { "VST Plugin Technology by Steinberg", altTextColour, labelFont, 28, 218 },
    };

    for (const auto& line : lines)
    {
        g.setColour (line.colour);
        g.setFont (line.font);
        g.setFont ((float) (h / line.heightDivisor));
        g.drawText (juce::translate (line.text), layout.area ({ 85, line.y, 300, 31 }, w, h), juce::Justification::centred, true);
    }
}

void AboutPanel::resized()
{
    link->setBounds (layout.bounds (linkRect, *this));
}
