#include "PanelDrawing.h"

#include "editor/Theme.h"

namespace
{
constexpr float cornerSize = 5.0f;
constexpr float borderThickness = 1.0f;
constexpr float titleHeight = 20.5f;
constexpr float titleTop = 5.0f;
constexpr float titleBoxHeight = 23.0f;
} // namespace

void paintPanelFace (juce::Graphics& g, const ReferenceLayout& layout, const juce::Component& panel)
{
    const auto corner = layout.x (cornerSize, panel.getWidth());
    const auto face = panel.getLocalBounds().toFloat();

    g.setColour (panelColour);
    g.fillRoundedRectangle (face, corner);

    g.setColour (borderColour);
    g.drawRoundedRectangle (face.reduced (1.0f), corner, layout.y (borderThickness, panel.getHeight()));
}

void drawSectionTitle (juce::Graphics& g, const ReferenceLayout& layout, const juce::Component& panel, const juce::String& title, float x)
{
    g.setColour (headerTextColour);
    g.setFont (headerFont);
    g.setFont (layout.y (titleHeight, panel.getHeight()));
    g.drawText (title, layout.area ({ x, titleTop, layout.width, titleBoxHeight }, panel), juce::Justification::left, true);
}

void fillRules (juce::Graphics& g, const ReferenceLayout& layout, const juce::Component& panel, std::initializer_list<DesignRect> rules)
{
    for (const auto& rule : rules)
        g.fillRect (layout.area (rule, panel));
}

void drawCaptions (juce::Graphics& g,
                   const ReferenceLayout& layout,
                   const juce::Component& panel,
                   float fontHeight,
                   std::initializer_list<PanelCaption> captions)
{
    g.setFont (headerFont);
    for (const auto& caption : captions)
    {
        g.setFont (layout.y (fontHeight, panel.getHeight()));
        g.drawFittedText (caption.text, layout.bounds (caption.box, panel), juce::Justification::centred, 1);
    }
}
