#include "editor/controls/BasicButton.h"
#include "editor/controls/BasicComboBox.h"
#include "editor/controls/LabeledKnob.h"
#include "editor/panels/EchoPanel.h"
#include "editor/Randomiser.h"
#include "PanelTestSupport.h"

#include <thread>

namespace
{
using namespace panel_test;
using P = PluginParameters;

// Children in the order the panel adds them.
constexpr int rate1Index = 0;
constexpr int rate2Index = 1;
constexpr int linkIndex = 2;
constexpr int gateRateIndex = 13;

const std::vector<ExpectedChild> echoLayout {
    { "rate 1 box", { 81, 42, 51, 19 }, &P::echoRate1ID },
    { "rate 2 box", { 81, 84, 51, 19 }, &P::echoRate2ID },
    { "link switch", { 100, 67, 13, 12 }, &P::echoRateLinkID },
    { "PINGPONG switch", { 142, 88, 62, 17 }, &P::echoPingPongModeID },
    { "input knob", { 12, 38, 48, 48 }, &P::echoInputID },
    { "spread knob", { 149, 38, 48, 48 }, &P::echoSpreadID },
    { "feedback knob", { 204, 38, 48, 48 }, &P::echoFeedbackID },
    { "damp knob", { 259, 38, 48, 48 }, &P::echoDampID },
    { "mix knob", { 312, 38, 48, 48 }, &P::echoMixID },
    { "LOAD group 2", { 238, 8, 47, 17 } },
    { "SAVE group 2", { 289, 8, 47, 17 } },
    { "!?! group 2", { 339, 8, 30, 17 }, &P::echoRndID },
    { "power switch", { 12, 9, 18, 16 }, &P::echoPowerID },
    { "gate rate box", { 464, 36, 51, 19 }, &P::echoModGateRateID },
    { "gate length knob", { 511, 65, 48, 48 }, &P::echoModGateLengthID },
    { "input level knob", { 661, 61, 48, 48 }, &P::echoInputModLevelID },
    { "feed level knob", { 611, 61, 48, 48 }, &P::echoFeedModLevelID },
    { "GATE switch", { 405, 36, 50, 17 }, &P::echoModGatePowerID },
    { "step 1", { 392, 64, 26, 12 }, &P::echoModStep1ID },
    { "step 2", { 421, 64, 26, 12 }, &P::echoModStep2ID },
    { "step 3", { 450, 64, 26, 12 }, &P::echoModStep3ID },
    { "step 4", { 480, 64, 26, 12 }, &P::echoModStep4ID },
    { "step 5", { 392, 79, 26, 12 }, &P::echoModStep5ID },
    { "step 6", { 421, 79, 26, 12 }, &P::echoModStep6ID },
    { "step 7", { 450, 79, 26, 12 }, &P::echoModStep7ID },
    { "step 8", { 480, 79, 26, 12 }, &P::echoModStep8ID },
    { "LOAD group 3", { 570, 8, 47, 17 } },
    { "SAVE group 3", { 621, 8, 47, 17 } },
    { "!?! group 3", { 671, 8, 30, 17 }, &P::echoModRndID },
};

TEST (EchoPanel, LayoutAtReferenceSizeAndDoubled)
{
    WarbloomAudioProcessor processor;
    EchoPanel panel (&processor);
    EXPECT_EQ (panel.getBounds(), juce::Rectangle<int> (0, 0, 709, 115));
    expectChildBounds (panel, echoLayout, 1);

    panel.setSize (1418, 230);
    expectChildBounds (panel, echoLayout, 2);
}

TEST (EchoPanel, ReopeningShowsCurrentValuesAndLeavesNothingAttached)
{
    WarbloomAudioProcessor processor;
    juce::Random random (42);
    for (int opening = 0; opening < 25; ++opening)
    {
        {
            EchoPanel panel (&processor);
            deliverPendingMessages();
            EXPECT_EQ (heldAttachments (processor.pluginParameters, "Echo"), 25);
            expectControlsShowParameters (panel, echoLayout, processor);
        }
        EXPECT_EQ (heldAttachments (processor.pluginParameters, "Echo"), 0);
        EXPECT_EQ (juce::SharedResourcePointer<ComboLookAndFeel>().getReferenceCount(), 1);

        // The host moves everything while the panel is closed; the value fields still follow.
        moveParameters (processor, echoLayout, random);
        EXPECT_EQ (processor.pluginParameters.echoRate2Index.load(), (int) valueOf (processor, P::echoRate2ID));
    }
}

TEST (EchoPanel, KnobCaptionsAndDoubleClickDefaults)
{
    struct Case
    {
        int index;
        const juce::String& caption;
        double doubleClickValue;
    };
    const Case cases[] = {
        { 4, P::echoInputName, 0.0 },
        { 5, P::echoSpreadName, 0.0 },
        { 6, P::echoFeedbackName, 30.0 },
        { 7, P::echoDampName, 0.0 },
        { 8, P::echoMixName, 30.0 },
        { 14, P::echoModGateLengthName, 8.0 },
        { 15, P::echoInputModLevelName, 0.0 },
        { 16, P::echoFeedModLevelName, 0.0 },
    };

    WarbloomAudioProcessor processor;
    EchoPanel panel (&processor);
    for (const auto& c : cases)
    {
        auto& labeled = child<LabeledKnob> (panel, c.index);
        EXPECT_EQ (labeled.label.getText(), c.caption);
        EXPECT_TRUE (labeled.knob->isDoubleClickReturnEnabled());
        EXPECT_EQ (labeled.knob->getDoubleClickReturnValue(), c.doubleClickValue) << c.caption;
    }
}

TEST (EchoPanel, OnlyTheRateBoxesStepWithTheWheel)
{
    WarbloomAudioProcessor processor;
    EchoPanel panel (&processor);
    EXPECT_EQ (wheelNotchDown (child<BasicComboBox> (panel, rate1Index)), 1);
    EXPECT_EQ (wheelNotchDown (child<BasicComboBox> (panel, rate2Index)), 1);
    EXPECT_EQ (wheelNotchDown (child<BasicComboBox> (panel, gateRateIndex)), 0);
    deliverPendingMessages();
    EXPECT_EQ (valueOf (processor, P::echoRate1ID), 8.0f);
}

class RateLink : public testing::Test
{
public:
    BasicComboBox& rate1() { return child<BasicComboBox> (*panel, rate1Index); }
    BasicComboBox& rate2() { return child<BasicComboBox> (*panel, rate2Index); }
    BasicButton& link() { return child<BasicButton> (*panel, linkIndex); }

    float rate1Value() { return valueOf (processor, P::echoRate1ID); }
    float rate2Value() { return valueOf (processor, P::echoRate2ID); }

    void open()
    {
        panel = std::make_unique<EchoPanel> (&processor);
        deliverPendingMessages();
    }

    WarbloomAudioProcessor processor;
    std::unique_ptr<EchoPanel> panel;
};

TEST_F (RateLink, WithTheLinkOnEitherBoxCarriesTheOther)
{
    setFromHost (processor, P::echoRateLinkID, 1.0f);
    open();

    // The user picks "1/8T" (id 10, value 9) in rate 1.
    rate1().setSelectedId (10);
    deliverPendingMessages();
    EXPECT_EQ (rate2().getText(), "1/8T");
    EXPECT_EQ (rate1Value(), 9.0f);
    EXPECT_EQ (rate2Value(), 9.0f);

    rate2().setSelectedId (3);
    deliverPendingMessages();
    EXPECT_EQ (rate1().getText(), "1/2");
    EXPECT_EQ (rate1Value(), 2.0f);
    EXPECT_EQ (rate2Value(), 2.0f);
}

TEST_F (RateLink, WithTheLinkOffTheBoxesAreIndependent)
{
    open();
    rate1().setSelectedId (10);
    deliverPendingMessages();
    EXPECT_EQ (rate1Value(), 9.0f);
    EXPECT_EQ (rate2Value(), 7.0f);

    rate2().setSelectedId (1);
    deliverPendingMessages();
    EXPECT_EQ (rate1Value(), 9.0f);
    EXPECT_EQ (rate2Value(), 0.0f);
}

TEST_F (RateLink, SwitchingTheLinkOnCopiesRate1IntoRate2)
{
    struct Route
    {
        const char* name;
        std::function<void (RateLink&)> switchOn;
    };
    const Route routes[] = {
        { "click", [] (RateLink& t)
          { t.link().triggerClick(); } },
        { "host", [] (RateLink& t)
          { setFromHost (t.processor, P::echoRateLinkID, 1.0f); } },
    };

    for (const auto& route : routes)
    {
        setFromHost (processor, P::echoRateLinkID, 0.0f);
        setFromHost (processor, P::echoRate1ID, 4.0f);
        setFromHost (processor, P::echoRate2ID, 12.0f);
        open();

        route.switchOn (*this);
        deliverPendingMessages();
        EXPECT_EQ (valueOf (processor, P::echoRateLinkID), 1.0f) << route.name;
        EXPECT_EQ (rate1Value(), 4.0f) << route.name;
        EXPECT_EQ (rate2Value(), 4.0f) << route.name;
        panel.reset();
    }
}

TEST_F (RateLink, OpeningWithTheLinkOnMakesRate2FollowRate1)
{
    setFromHost (processor, P::echoRateLinkID, 1.0f);
    setFromHost (processor, P::echoRate1ID, 15.0f);
    setFromHost (processor, P::echoRate2ID, 2.0f);
    open();
    EXPECT_EQ (rate1Value(), 15.0f);
    EXPECT_EQ (rate2Value(), 15.0f);
    EXPECT_EQ (rate2().getText(), "1/32T");
}

TEST_F (RateLink, HostAutomationOfRate2IsFollowedOnlyWhileThePanelExists)
{
    setFromHost (processor, P::echoRateLinkID, 1.0f);
    open();

    // Automation arrives on the host's own thread.
    std::thread host ([this]
                      { setFromHost (processor, P::echoRate2ID, 11.0f); });
    host.join();
    deliverPendingMessages();
    EXPECT_EQ (rate1Value(), 11.0f);
    EXPECT_EQ (rate2Value(), 11.0f);

    panel.reset();
    setFromHost (processor, P::echoRate2ID, 5.0f);
    deliverPendingMessages();
    EXPECT_EQ (rate1Value(), 11.0f);
    EXPECT_EQ (rate2Value(), 5.0f);
}

// The generator's words after n more draws, without moving it.
std::pair<std::uint32_t, std::uint32_t> wordsAfter (int draws)
{
    const auto seedX = SeedX;
    const auto xorU = XorU;
    for (int i = 0; i < draws; ++i)
        nextRandom();
    const std::pair<std::uint32_t, std::uint32_t> after { SeedX, XorU };
    SeedX = seedX;
    XorU = xorU;
    return after;
}

std::pair<std::uint32_t, std::uint32_t> words()
{
    return { SeedX, XorU };
}

TEST (EchoPanel, RandomiseSwitchesRunTheirGroupOnEveryCrossingWhileThePanelExists)
{
    struct Case
    {
        const juce::String& switchID;
        int draws;
    };
    const Case cases[] = {
        { P::echoRndID, 8 },
        { P::echoModRndID, 13 },
    };

    WarbloomAudioProcessor processor;
    setFromHost (processor, P::echoMixID, 42.0f);
    for (const auto& c : cases)
    {
        auto panel = std::make_unique<EchoPanel> (&processor);

        auto expected = wordsAfter (c.draws);
        setFromHost (processor, c.switchID, 1.0f);
        EXPECT_EQ (words(), expected) << c.switchID << " on";

        expected = wordsAfter (c.draws);
        setFromHost (processor, c.switchID, 0.0f);
        EXPECT_EQ (words(), expected) << c.switchID << " off";

        // A panel built while the switch is on runs the group once as its attachment is made.
        setFromHost (processor, c.switchID, 1.0f);
        panel.reset();
        expected = wordsAfter (c.draws);
        panel = std::make_unique<EchoPanel> (&processor);
        EXPECT_EQ (words(), expected) << c.switchID << " on at opening";

        panel.reset();
        expected = words();
        setFromHost (processor, c.switchID, 0.0f);
        setFromHost (processor, c.switchID, 1.0f);
        setFromHost (processor, c.switchID, 0.0f);
        EXPECT_EQ (words(), expected) << c.switchID << " without a panel";
        deliverPendingMessages();
    }
    EXPECT_FLOAT_EQ (valueOf (processor, P::echoMixID), 42.0f);
}

TEST (EchoPanel, ClickingRandomiseLeavesItsSwitchAndEchoMixAlone)
{
    WarbloomAudioProcessor processor;
    EchoPanel panel (&processor);
    const auto mix = valueOf (processor, P::echoMixID);

    const auto expected = wordsAfter (8);
    child<BasicButton> (panel, 11).triggerClick();
    deliverPendingMessages();
    EXPECT_EQ (words(), expected);
    EXPECT_EQ (valueOf (processor, P::echoRndID), 0.0f);
    EXPECT_EQ (valueOf (processor, P::echoMixID), mix);
}
} // namespace
