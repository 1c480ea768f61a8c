#include "editor/controls/BasicKnob.h"
#include "editor/looks/FaderLooks.h"
#include "editor/looks/KnobLooks.h"
#include "editor/looks/LabelLooks.h"
#include "editor/Theme.h"
#include "support/PixelProbes.h"

#include <gtest/gtest.h>

namespace
{
using ComponentImage::hasColour;
using ComponentImage::over;

const auto white = juce::Colours::white;

// Draws through the look directly, over white, so each case picks its own slider position.
template <typename Draw>
juce::Image paintOverWhite (int width, int height, Draw&& draw)
{
    juce::Image image (juce::Image::ARGB, width, height, true, juce::SoftwareImageType());
    juce::Graphics g (image);
    g.fillAll (white);
    draw (g);
    return image;
}

struct KnobFixture : testing::Test
{
    KnobFixture()
    {
        knob.fillColour = juce::Colour (0xFF20A040);
        knob.outlineColour = juce::Colour (0xFF2040C0);
        knob.pointerColour = juce::Colour (0xFFF0D020);
        knob.pointerAltColour = juce::Colour (0xFF101010);
        knob.setSize (100, 72);
    }

    juce::Image paintKnob (juce::LookAndFeel& look, float sliderPos)
    {
        const auto params = knob.getRotaryParameters();
        return paintOverWhite (100, 72, [&] (juce::Graphics& g)
                               { look.drawRotarySlider (g, 0, 0, 100, 72, sliderPos, params.startAngleRadians, params.endAngleRadians, knob); });
    }

    BasicKnob knob { 0.0f, 1.0f, "" };
    juce::SharedResourcePointer<BasicLookAndFeel> basicLook;
    juce::SharedResourcePointer<RedKnobLookAndFeel> redLook;
};

// Radius 28.8 about (50, 36); the pointer runs from 5.76 to 21.6 pixels out at the value's angle.
TEST_F (KnobFixture, DiscRingAndPointerAtBothEnds)
{
    const auto start = paintKnob (*basicLook, 0.0f);
    EXPECT_TRUE (hasColour (start, 50, 36, knob.fillColour));
    EXPECT_TRUE (hasColour (start, 50, 11, knob.fillColour));
    EXPECT_TRUE (hasColour (start, 50, 7, knob.outlineColour));
    EXPECT_TRUE (hasColour (start, 50, 3, white));
    EXPECT_TRUE (hasColour (start, 41, 47, knob.pointerColour));
    EXPECT_TRUE (hasColour (start, 58, 47, knob.fillColour));

    const auto end = paintKnob (*basicLook, 1.0f);
    EXPECT_TRUE (hasColour (end, 58, 47, knob.pointerColour));
    EXPECT_TRUE (hasColour (end, 41, 47, knob.fillColour));
}

TEST_F (KnobFixture, RedKnobHasARedDiscAndHeavierRing)
{
    const auto image = paintKnob (*redLook, 0.0f);
    EXPECT_TRUE (hasColour (image, 50, 36, orangeLineColour));
    EXPECT_TRUE (hasColour (image, 50, 11, knob.outlineColour));
    EXPECT_TRUE (hasColour (image, 41, 47, knob.pointerAltColour));
}

TEST_F (KnobFixture, PlainSliderDrawsAsJuceStandardRotary)
{
    juce::Slider plain (juce::Slider::RotaryHorizontalVerticalDrag, juce::Slider::NoTextBox);
    juce::LookAndFeel_V4 standard;
    const auto params = plain.getRotaryParameters();

    const auto ours = paintOverWhite (100, 72, [&] (juce::Graphics& g)
                                      { basicLook->drawRotarySlider (g, 0, 0, 100, 72, 0.3f, params.startAngleRadians, params.endAngleRadians, plain); });
    const auto theirs = paintOverWhite (100, 72, [&] (juce::Graphics& g)
                                        { standard.drawRotarySlider (g, 0, 0, 100, 72, 0.3f, params.startAngleRadians, params.endAngleRadians, plain); });

    EXPECT_TRUE (ComponentImage::boundsOfPixelsNot (ours, white, ours.getBounds()) == ComponentImage::boundsOfPixelsNot (theirs, white, theirs.getBounds()));
    EXPECT_TRUE (hasColour (ours, 50, 36, theirs.getPixelAt (50, 36), 0));
}

TEST (LabelRendering, CaptionTextIsCentredInItsBox)
{
    juce::SharedResourcePointer<KnobLabelLookAndFeel> look;
    juce::Label label;
    label.setText ("FEEDBACK", juce::dontSendNotification);
    label.setLookAndFeel (look);
    const auto image = ComponentImage::paint (label, 120, 16);
    label.setLookAndFeel (nullptr);

    const auto text = ComponentImage::boundsOfPixelsNot (image, juce::Colours::transparentBlack, image.getBounds());
    EXPECT_FALSE (text.isEmpty());
    EXPECT_NEAR (text.getCentreX(), 60, 2);
    EXPECT_GT (text.getHeight(), 8);
}

struct FaderFixture : testing::Test
{
    FaderFixture()
    {
        slider.setColour (juce::Slider::rotarySliderFillColourId, thumbBase);
        slider.setSize (240, 60);
    }

    juce::Image paintFader (juce::LookAndFeel& look, juce::Rectangle<int> track, float sliderPos)
    {
        return paintOverWhite (240, 60, [&] (juce::Graphics& g)
                               { look.drawLinearSlider (g, track.getX(), track.getY(), track.getWidth(), track.getHeight(), sliderPos, 0.0f, 240.0f, juce::Slider::LinearHorizontal, slider); });
    }

    const juce::Colour thumbBase { 0xFF3080C0 };
    juce::Slider slider { juce::Slider::LinearHorizontal, juce::Slider::NoTextBox };
    juce::SharedResourcePointer<FaderLookAndFeel> faderLook;
    juce::SharedResourcePointer<FreakoutLookAndFeel> freakoutLook;
};

const juce::Rectangle<int> wholeTrack { 0, 0, 240, 60 };

TEST_F (FaderFixture, FaderSlotAndEvenTicks)
{
    const auto image = paintFader (*faderLook, wholeTrack, 100.0f);

    const struct
    {
        int x, y;
        bool dark;
    } probes[] = {
        // slot (18.5, 26, 205, 10)
        { 55, 26, true },
        { 55, 35, true },
        { 55, 25, false },
        { 55, 36, false },
        { 19, 30, true },
        // first upper tick (20, 10, 4, 12.5)
        { 20, 10, true },
        { 23, 21, true },
        { 24, 15, false },
        { 21, 9, false },
        { 21, 23, false },
        // second upper tick (30, 10, 2.5, 12.5)
        { 30, 15, true },
        { 31, 15, true },
        { 33, 15, false },
        // middle upper tick (120, 10, 4, 12.5)
        { 120, 10, true },
        { 123, 21, true },
        { 124, 15, false },
        // first lower tick (20, 40, 4, 12.5)
        { 20, 40, true },
        { 23, 51, true },
        { 21, 39, false },
        { 21, 53, false },
    };

    for (const auto& p : probes)
        EXPECT_TRUE (hasColour (image, p.x, p.y, p.dark ? borderColour : white)) << p.x << ", " << p.y;
}

TEST_F (FaderFixture, FreakoutTicksRiseFromLeftToRight)
{
    const auto image = paintFader (*freakoutLook, wholeTrack, 100.0f);

    const struct
    {
        int x, y;
        bool dark;
    } probes[] = {
        // k = 2: (20, 20, 4, 2.5)
        { 20, 20, true },
        { 23, 21, true },
        { 21, 19, false },
        { 24, 21, false },
        // k = 12: (120, 15, 2.5, 7.5)
        { 120, 15, true },
        { 121, 21, true },
        { 120, 14, false },
        { 123, 18, false },
        // k = 22: (220, 10, 4, 12.5)
        { 220, 10, true },
        { 223, 21, true },
        { 221, 9, false },
        // every upper tick ends at 22.5
        { 150, 23, false },
        { 200, 23, false },
        // lower ticks hang from 40: k = 2 is 2.5 high, k = 22 12.5 high
        { 20, 41, true },
        { 20, 43, false },
        { 220, 51, true },
        { 220, 53, false },
    };

    for (const auto& p : probes)
        EXPECT_TRUE (hasColour (image, p.x, p.y, p.dark ? borderColour : white)) << p.x << ", " << p.y;
}

TEST_F (FaderFixture, ThumbBodyAndCentreLine)
{
    const auto body = thumbBase.withMultipliedSaturation (0.9f);

    for (auto* look : { static_cast<juce::LookAndFeel*> (&faderLook.get()), static_cast<juce::LookAndFeel*> (&freakoutLook.get()) })
    {
        // Body (89, 10, 25, 40); centre line (94.12, 15, 5, 30).
        const auto image = paintFader (*look, wholeTrack, 100.0f);
        EXPECT_TRUE (hasColour (image, 89, 12, body));
        EXPECT_TRUE (hasColour (image, 113, 48, body));
        EXPECT_TRUE (hasColour (image, 88, 12, white));
        EXPECT_TRUE (hasColour (image, 114, 12, white));
        EXPECT_TRUE (hasColour (image, 96, 12, body));
        EXPECT_TRUE (hasColour (image, 95, 15, whiteTextColour));
        EXPECT_TRUE (hasColour (image, 98, 44, whiteTextColour));
        EXPECT_TRUE (hasColour (image, 100, 30, body));
        EXPECT_TRUE (hasColour (image, 96, 45, body));
    }

    slider.setEnabled (false);
    const auto disabled = paintFader (*faderLook, wholeTrack, 100.0f);
    EXPECT_TRUE (hasColour (disabled, 96, 12, over (white, body.withMultipliedAlpha (0.7f))));
}

TEST_F (FaderFixture, FrameThicknessFollowsTheTrackArea)
{
    const auto tall = paintFader (*faderLook, { 10, 10, 220, 40 }, 100.0f);
    EXPECT_TRUE (hasColour (tall, 150, 0, borderColour));
    EXPECT_TRUE (hasColour (tall, 150, 1, over (white, borderColour.withAlpha (0.5f)), 4));
    EXPECT_TRUE (hasColour (tall, 150, 10, sliderBaseColour));

    const auto low = paintFader (*faderLook, { 10, 20, 220, 20 }, 100.0f);
    EXPECT_TRUE (hasColour (low, 150, 0, over (white, borderColour.withAlpha (0.9f)), 4));
    EXPECT_TRUE (hasColour (low, 150, 1, white));
}
} // namespace
