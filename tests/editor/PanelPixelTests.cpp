#include "editor/panels/EchoPanel.h"
#include "editor/panels/TonePanel.h"
#include "editor/support/PixelProbes.h"
#include "editor/Theme.h"
#include "processor/WarbloomAudioProcessor.h"

namespace
{
const juce::Colour ruleColour { 0xFF30373A };

struct Probe
{
    const char* what;
    int x, y;
    juce::Colour colour;
};

// Probes given at the reference size; at twice the size each lands on the scaled point.
void expectProbes (juce::Component& panel, int width, int height, int scale, std::initializer_list<Probe> probes)
{
    const auto image = ComponentImage::paint (panel, width * scale, height * scale);
    for (const auto& probe : probes)
        EXPECT_TRUE (ComponentImage::hasColour (image, probe.x * scale, probe.y * scale, probe.colour, 1)) << probe.what << " at scale " << scale;

    EXPECT_EQ (ComponentImage::pixel (image, 0, 0).getAlpha(), 0) << "the face's corners are rounded";
}

// Something is drawn in the design box, starting at its left edge.
void expectTextIn (juce::Component& panel, juce::Rectangle<int> box, bool startsAtLeft)
{
    const auto image = ComponentImage::paint (panel, panel.getWidth(), panel.getHeight());
    const auto drawn = ComponentImage::boundsOfPixelsNot (image, panelColour, box);
    EXPECT_FALSE (drawn.isEmpty()) << box.toString();
    if (startsAtLeft)
    {
        EXPECT_LE (drawn.getX(), box.getX() + 3) << box.toString();
    }
}

TEST (PanelPixels, TonePanel)
{
    WarbloomAudioProcessor processor;
    TonePanel panel (&processor);
    for (int scale : { 1, 2 })
        expectProbes (panel,
                      709,
                      146,
                      scale,
                      {
                          { "face", 220, 20, panelColour },
                          { "face between knobs", 68, 60, panelColour },
                          { "header rule", 50, 30, ruleColour },
                          { "section rule", 75, 120, ruleColour },
                          { "middle rule", 374, 20, ruleColour },
                          { "gate bracket", 384, 60, headerTextColour },
                          { "step bracket", 384, 120, headerTextColour },
                      });

    panel.setSize (709, 146);
    expectTextIn (panel, { 36, 5, 300, 23 }, true);
    expectTextIn (panel, { 385, 5, 180, 23 }, true);
    expectTextIn (panel, { 599, 60, 98, 15 }, false);
    expectTextIn (panel, { 610, 80, 40, 15 }, false);
    expectTextIn (panel, { 658, 80, 43, 15 }, false);
}

TEST (PanelPixels, EchoPanel)
{
    WarbloomAudioProcessor processor;
    EchoPanel panel (&processor);
    for (int scale : { 1, 2 })
        expectProbes (panel,
                      709,
                      115,
                      scale,
                      {
                          { "face", 200, 15, panelColour },
                          { "face by the middle rule", 379, 60, panelColour },
                          { "header rule", 50, 30, ruleColour },
                          { "rule clipped at the bottom", 69, 110, ruleColour },
                          { "middle rule", 374, 60, ruleColour },
                          { "link rule", 105, 62, ruleColour },
                          { "step bracket", 384, 90, headerTextColour },
                          { "step bracket foot", 450, 105, headerTextColour },
                      });

    panel.setSize (709, 115);
    expectTextIn (panel, { 36, 5, 300, 23 }, true);
    expectTextIn (panel, { 385, 5, 180, 23 }, true);
    expectTextIn (panel, { 613, 48, 43, 15 }, false);
    expectTextIn (panel, { 660, 48, 46, 15 }, false);
}
} // namespace
