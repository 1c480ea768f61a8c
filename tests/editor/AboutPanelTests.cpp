#include "editor/panels/AboutPanel.h"
#include "editor/support/PixelProbes.h"
#include "editor/Theme.h"

namespace
{
using ComponentImage::hasColour;

void mouseUpAt (AboutPanel& panel, int x, int y)
{
    const auto now = juce::Time::getCurrentTime();
    const juce::Point<float> position ((float) x, (float) y);
    const juce::MouseEvent event (juce::Desktop::getInstance().getMainMouseSource(), position, {}, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, &panel, &panel, now, position, now, 1, false);
    panel.mouseUp (event);
}
} // namespace

TEST (AboutPanel, AMouseUpOutsideTheBoxHidesIt)
{
    struct Case
    {
        int x, y;
        bool staysVisible;
    };
    // The box is (139, 67, 470, 250): its left and top edges are inside, its right and bottom edges outside.
    const Case cases[] = {
        { 138, 100, false },
        { 609, 100, false },
        { 300, 66, false },
        { 300, 317, false },
        { 139, 67, true },
        { 608, 316, true },
        { 374, 190, true },
    };

    AboutPanel panel;
    panel.setSize (748, 385);
    for (const auto& c : cases)
    {
        panel.setVisible (true);
        mouseUpAt (panel, c.x, c.y);
        EXPECT_EQ (panel.isVisible(), c.staysVisible) << c.x << ", " << c.y;
    }
}

TEST (AboutPanel, BoxAndLinkFollowTheEditorSize)
{
    AboutPanel panel;
    auto& link = *panel.getChildComponent (0);

    panel.setSize (748, 385);
    EXPECT_EQ (panel.boxBounds(), juce::Rectangle<int> (139, 67, 470, 250));
    EXPECT_EQ (link.getBounds(), juce::Rectangle<int> (273, 185, 218, 23));

    panel.setSize (1496, 770);
    EXPECT_EQ (panel.boxBounds(), juce::Rectangle<int> (278, 134, 940, 500));
    EXPECT_EQ (link.getBounds(), juce::Rectangle<int> (547, 370, 436, 46));
}

TEST (AboutPanel, DarkensTheEditorAroundAFramedBox)
{
    AboutPanel panel;

    for (const auto scale : { 1, 2 })
    {
        const auto image = ComponentImage::paint (panel, 748 * scale, 385 * scale);
        const auto at = [&] (int x, int y, juce::Colour colour)
        { return hasColour (image, x * scale, y * scale, colour); };

        EXPECT_TRUE (at (20, 20, overlayScreen)) << scale;
        EXPECT_TRUE (at (700, 370, overlayScreen)) << scale;
        EXPECT_TRUE (at (150, 80, juce::Colour (0xFF292E2F))) << scale;
        EXPECT_TRUE (at (139, 200, headerTextColour)) << "frame, scale " << scale;
        EXPECT_GT (ComponentImage::pixel (image, 137 * scale, 200 * scale).getAlpha(), overlayScreen.getAlpha()) << "shadow, scale " << scale;

        // The mark and the title line draw inside their places in the box.
        const juce::Colour boxColour (0xFF292E2F);
        const juce::Rectangle<int> markArea ((139 + 151) * scale, (67 + 147) * scale, 166 * scale, 45 * scale);
        EXPECT_FALSE (ComponentImage::boundsOfPixelsNot (image, boxColour, markArea).isEmpty()) << scale;
        const juce::Rectangle<int> titleArea ((139 + 85) * scale, (67 + 16) * scale, 300 * scale, 31 * scale);
        EXPECT_FALSE (ComponentImage::boundsOfPixelsNot (image, boxColour, titleArea).isEmpty()) << scale;
    }
}
