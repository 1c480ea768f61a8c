#include "editor/panels/MasterPanel.h"
#include "editor/Theme.h"
#include "PanelTestSupport.h"
#include "PlacementTable.h"

namespace
{
using namespace panel_test;
using P = PluginParameters;

// Children in the order the panel adds them.
constexpr int outputGainIndex = 0;
constexpr int modTotalIndex = 1;
constexpr int dryWetMixIndex = 2;
constexpr int faderIndex = 3;
constexpr int holdIndex = 4;
constexpr int rateIndex = 5;

// The rounded divisors put the TOTAL knob at x 662 and make the fader 27 high at 748 x 71; the
// doubled size is not twice those.
const std::vector<Placement> masterLayout {
    { "output gain knob", { 336, 8, 48, 48 }, { 672, 16, 96, 96 } },
    { "TOTAL knob", { 662, 12, 60, 60 }, { 1325, 24, 120, 120 } },
    { "dry/wet knob", { 276, 8, 48, 48 }, { 552, 16, 96, 96 } },
    { "Freakout fader", { 531, 13, 98, 27 }, { 1062, 26, 196, 55 } },
    { "HOLD", { 468, 38, 51, 17 }, { 936, 76, 102, 34 } },
    { "Freakout rate box", { 468, 15, 51, 19 }, { 936, 30, 102, 38 } },
    { "ECHO", { 410, 13, 51, 17 }, { 820, 26, 102, 34 } },
    { "FILTER", { 410, 37, 51, 17 }, { 820, 74, 102, 34 } },
};

struct MasterFixture
{
    WarbloomAudioProcessor processor;
    MasterPanel panel { &processor };

    juce::Slider& fader() { return child<BasicSlider> (panel, faderIndex); }
    juce::Button& hold() { return child<BasicButton> (panel, holdIndex); }
    BasicKnob& knob (int index) { return *child<LabeledKnob> (panel, index).knob; }

    // The user grabs the fader, moves it to the value and lets go.
    void dragFaderTo (double value)
    {
        auto& slider = fader();
        const auto now = juce::Time::getCurrentTime();
        const juce::MouseEvent event (juce::Desktop::getInstance().getMainMouseSource(), {}, {}, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, &slider, &slider, now, {}, now, 1, false);
        slider.mouseDown (event);
        slider.setValue (value, juce::sendNotificationSync);
        slider.mouseUp (event);
    }

    void clickHold()
    {
        hold().triggerClick();
        deliverPendingMessages();
    }
};
} // namespace

TEST (MasterPanel, LayoutAtReferenceSizeAndDoubled)
{
    WarbloomAudioProcessor processor;
    MasterPanel panel (&processor);
    EXPECT_EQ (panel.getBounds(), juce::Rectangle<int> (0, 0, 748, 71));
    expectPlacements (panel, childrenOf (panel), masterLayout, 748, 71);
}

TEST (MasterPanel, ReleasedFaderSpringsBackUnlessHeld)
{
    MasterFixture f;

    f.dragFaderTo (73.0);
    EXPECT_DOUBLE_EQ (f.fader().getValue(), 0.0);
    EXPECT_NEAR (valueOf (f.processor, P::freakoutID), 73.0f, 0.05f) << "the parameter follows asynchronously";
    deliverPendingMessages();
    EXPECT_DOUBLE_EQ (f.fader().getValue(), 0.0);
    EXPECT_FLOAT_EQ (valueOf (f.processor, P::freakoutID), 0.0f);

    f.clickHold();
    ASSERT_FLOAT_EQ (valueOf (f.processor, P::freakoutLatchID), 1.0f);
    f.dragFaderTo (73.0);
    deliverPendingMessages();
    EXPECT_DOUBLE_EQ (f.fader().getValue(), 73.0);
    EXPECT_NEAR (valueOf (f.processor, P::freakoutID), 73.0f, 0.05f);

    f.clickHold();
    EXPECT_FLOAT_EQ (valueOf (f.processor, P::freakoutLatchID), 0.0f);
    EXPECT_DOUBLE_EQ (f.fader().getValue(), 0.0);
    EXPECT_FLOAT_EQ (valueOf (f.processor, P::freakoutID), 0.0f);
}

TEST (MasterPanel, SwitchingHoldOnKeepsTheFaderAndHoldOffFromTheHostReleasesIt)
{
    MasterFixture f;

    setFromHost (f.processor, P::freakoutID, 40.0f);
    f.clickHold();
    EXPECT_DOUBLE_EQ (f.fader().getValue(), 40.0);

    // The latch parameter switched off by the host reaches HOLD through its attachment.
    setFromHost (f.processor, P::freakoutLatchID, 0.0f);
    deliverPendingMessages();
    EXPECT_FALSE (f.hold().getToggleState());
    EXPECT_FLOAT_EQ (valueOf (f.processor, P::freakoutID), 0.0f);
}

TEST (MasterPanel, KnobsResetToTheirDefaultsAndTheRateBoxShowsItsList)
{
    MasterFixture f;

    const std::pair<int, double> resets[] = { { outputGainIndex, 0.0 }, { modTotalIndex, 100.0 }, { dryWetMixIndex, 100.0 } };
    for (const auto& [index, value] : resets)
    {
        auto& knob = f.knob (index);
        EXPECT_TRUE (knob.isDoubleClickReturnEnabled()) << index;
        EXPECT_DOUBLE_EQ (knob.getDoubleClickReturnValue(), value) << index;
    }

    EXPECT_DOUBLE_EQ (f.fader().getMinimum(), 0.0) << "the attachment gives the fader the parameter's range";
    EXPECT_DOUBLE_EQ (f.fader().getMaximum(), 100.0);

    auto& rate = child<BasicComboBox> (f.panel, rateIndex);
    EXPECT_EQ (rate.getNumItems(), 17);
    EXPECT_EQ (rate.getText(), "1/2");
}

TEST (MasterPanel, DrawsBarsFrameAndCaptionsButNoBackground)
{
    WarbloomAudioProcessor processor;
    MasterPanel panel (&processor);

    for (const auto scale : { 1, 2 })
    {
        panel.setSize (748 * scale, 71 * scale);
        const auto image = panel.createComponentSnapshot (panel.getLocalBounds());
        const auto at = [&] (int x, int y)
        { return image.getPixelAt (x * scale, y * scale); };

        EXPECT_EQ (at (200, 19), orangeLineColour) << "first bar, scale " << scale;
        EXPECT_EQ (at (200, 31), orangeLineColour) << "second bar, scale " << scale;
        EXPECT_EQ (at (200, 27).getAlpha(), 0) << "gap between the bars, scale " << scale;
        EXPECT_EQ (at (500, 6), headerTextColour) << "frame top, scale " << scale;
        EXPECT_EQ (at (393, 30), headerTextColour) << "frame left, scale " << scale;
        EXPECT_EQ (at (60, 40).getAlpha(), 0) << "the background shows through, scale " << scale;
    }
}
