#include "editor/controls/BasicButton.h"
#include "editor/controls/BasicComboBox.h"
#include "editor/looks/ButtonLooks.h"
#include "editor/looks/ComboLookAndFeel.h"
#include "editor/Theme.h"
#include "support/PixelProbes.h"

#include <gtest/gtest.h>

namespace
{
using ComponentImage::hasColour;
using ComponentImage::over;

const auto white = juce::Colours::white;

struct ButtonFixture : testing::Test
{
    juce::SharedResourcePointer<ButtonLookAndFeel> blueLook;
    juce::SharedResourcePointer<OrangeButtonLookAndFeel> orangeLook;
    BasicButton button;

    juce::Image paintWith (juce::LookAndFeel& look, int width, int height)
    {
        button.setLookAndFeel (&look);
        return ComponentImage::paint (button, width, height);
    }

    ~ButtonFixture() override { button.setLookAndFeel (nullptr); }
};

TEST_F (ButtonFixture, BorderAppearsFromFourteenPixelsHigh)
{
    const auto low = paintWith (*blueLook, 60, 13);
    EXPECT_TRUE (hasColour (low, 0, 6, buttonOffColour));
    EXPECT_TRUE (hasColour (low, 30, 0, buttonOffColour));

    const auto high = paintWith (*blueLook, 60, 14);
    EXPECT_TRUE (hasColour (high, 0, 7, borderColour));
    EXPECT_TRUE (hasColour (high, 30, 0, borderColour));
    EXPECT_TRUE (hasColour (high, 59, 7, borderColour));
    EXPECT_TRUE (hasColour (high, 1, 7, buttonOffColour));

    const auto orange = paintWith (*orangeLook, 60, 32);
    EXPECT_TRUE (hasColour (orange, 2, 16, borderColour));
    EXPECT_TRUE (hasColour (orange, 3, 16, powerButtonOffColour));
}

TEST_F (ButtonFixture, DownAndToggledFaces)
{
    const auto pressed = over (buttonOnColour, white.withAlpha (0.95f));
    const auto innerOn = over (buttonOnColour, white.withAlpha (0.65f));

    const struct
    {
        bool down, on;
        juce::Colour rim, inside;
    } cases[] = {
        { false, false, buttonOffColour, buttonOffColour },
        { true, false, pressed, pressed },
        { false, true, buttonOnColour, innerOn },
        { true, true, buttonOnColour, innerOn },
    };

    for (const auto& c : cases)
    {
        button.setToggleState (c.on, juce::dontSendNotification);
        button.setState (c.down ? juce::Button::buttonDown : juce::Button::buttonNormal);
        const auto image = paintWith (*blueLook, 60, 20);
        EXPECT_TRUE (hasColour (image, 1, 10, c.rim)) << c.down << c.on;
        EXPECT_TRUE (hasColour (image, 5, 10, c.inside)) << c.down << c.on;
        EXPECT_TRUE (hasColour (image, 0, 10, borderColour)) << c.down << c.on;
    }

    // Hovering draws the same as resting.
    button.setToggleState (false, juce::dontSendNotification);
    button.setState (juce::Button::buttonNormal);
    const auto resting = paintWith (*blueLook, 60, 20);
    button.setState (juce::Button::buttonOver);
    const auto hovered = paintWith (*blueLook, 60, 20);
    EXPECT_EQ (ComponentImage::boundsOfPixelsNot (hovered, buttonOffColour, hovered.getBounds(), 0),
               ComponentImage::boundsOfPixelsNot (resting, buttonOffColour, resting.getBounds(), 0));
}

TEST_F (ButtonFixture, OrangeFaces)
{
    button.setState (juce::Button::buttonDown);
    EXPECT_TRUE (hasColour (paintWith (*orangeLook, 60, 20), 5, 10, over (powerButtonOffColour, white.withAlpha (0.75f))));

    button.setState (juce::Button::buttonNormal);
    button.setToggleState (true, juce::dontSendNotification);
    const auto on = paintWith (*orangeLook, 60, 20);
    EXPECT_TRUE (hasColour (on, 1, 10, powerButtonOnColour));
    EXPECT_TRUE (hasColour (on, 5, 10, over (powerButtonOnColour, white.withAlpha (0.4f))));
}

TEST_F (ButtonFixture, TextStaysInsideTheInnerFace)
{
    button.setButtonText ("RANDOMISE EVERYTHING");
    const auto image = paintWith (*blueLook, 80, 20);
    const auto text = ComponentImage::boundsOfPixelsNot (image, buttonOffColour, image.getBounds().reduced (1));

    EXPECT_FALSE (text.isEmpty());
    EXPECT_TRUE (juce::Rectangle<int> (2, 2, 76, 16).contains (text)) << text.toString();
}

TEST (ComboRendering, PopupItemRows)
{
    juce::SharedResourcePointer<ComboLookAndFeel> look;

    const auto paintItem = [&look] (bool highlighted, bool ticked)
    {
        juce::Image image (juce::Image::ARGB, 120, 20, true, juce::SoftwareImageType());
        juce::Graphics g (image);
        g.fillAll (white);
        look->drawPopupMenuItem (g, { 0, 0, 120, 20 }, false, true, highlighted, ticked, false, "1/16T", {}, nullptr, nullptr);
        return image;
    };

    const auto plainFill = over (white, popupMenuColour.withAlpha (0.5f));
    const auto plain = paintItem (false, false);
    EXPECT_TRUE (hasColour (plain, 2, 0, plainFill));
    EXPECT_TRUE (hasColour (plain, 2, 18, plainFill));
    EXPECT_TRUE (hasColour (plain, 2, 19, white));
    EXPECT_TRUE (hasColour (paintItem (true, false), 2, 10, over (white, popupHoverColour.withAlpha (0.5f))));

    const auto text = ComponentImage::boundsOfPixelsNot (plain, plainFill, { 0, 0, 120, 19 });
    EXPECT_FALSE (text.isEmpty());
    EXPECT_GE (text.getX(), 10);
    EXPECT_LE (text.getX(), 12);

    // The current choice is drawn in the brighter text colour.
    const auto brightness = [] (const juce::Image& image, juce::Rectangle<int> area)
    {
        float sum = 0.0f;
        for (int y = area.getY(); y < area.getBottom(); ++y)
            for (int x = area.getX(); x < area.getRight(); ++x)
                sum += image.getPixelAt (x, y).getBrightness();
        return sum;
    };
    EXPECT_GT (brightness (paintItem (false, true), text), brightness (plain, text) + 1.0f);
}

TEST (ComboRendering, ComboBoxFaceBorderAndArrow)
{
    juce::SharedResourcePointer<ComboLookAndFeel> look;
    juce::ComboBox box;
    box.setLookAndFeel (look);
    const auto image = ComponentImage::paint (box, 120, 24);
    box.setLookAndFeel (nullptr);

    // JUCE's rectangle shadow fills the rectangle it shades, so the face ends up in the shadow's
    // black under the border and the arrow.
    const auto black = juce::Colours::black;
    EXPECT_TRUE (hasColour (image, 0, 12, borderColour));
    EXPECT_TRUE (hasColour (image, 60, 23, borderColour));
    EXPECT_TRUE (hasColour (image, 5, 12, black));

    // A chevron 9 wide and 5 high whose tip sits 22.5 pixels left of the right edge.
    const auto arrow = ComponentImage::boundsOfPixelsNot (image, black, image.getBounds().reduced (3), 5);
    EXPECT_NEAR (arrow.getX(), 93, 1);
    EXPECT_NEAR (arrow.getRight(), 102, 1);
    EXPECT_NEAR (arrow.getY(), 10, 1);
    EXPECT_NEAR (arrow.getBottom(), 15, 1);
    EXPECT_TRUE (hasColour (image, 97, 11, black, 3));
}

TEST (ComboRendering, BasicComboBoxPaintsItsOwnFaceAndText)
{
    BasicComboBox box;
    box.addItem ("1/4", 1);
    box.setSelectedId (1, juce::dontSendNotification);

    EXPECT_TRUE (hasColour (ComponentImage::paint (box, 60, 8), 0, 4, comboBoxColour));
    EXPECT_TRUE (hasColour (ComponentImage::paint (box, 60, 9), 0, 4, borderColour));

    const auto image = ComponentImage::paint (box, 60, 18);
    EXPECT_TRUE (hasColour (image, 1, 9, borderColour));
    EXPECT_TRUE (hasColour (image, 2, 9, comboBoxColour));

    const auto text = ComponentImage::boundsOfPixelsNot (image, comboBoxColour, image.getBounds().reduced (3));
    EXPECT_FALSE (text.isEmpty());
    EXPECT_NEAR (text.getCentreX(), 30, 2);
    EXPECT_NEAR (text.getCentreY(), 9, 2);
}
} // namespace
