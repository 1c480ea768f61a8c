#include "editor/controls/LabeledKnob.h"
#include "processor/WarbloomAudioProcessor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace
{
// A mouse event at (x, y) of the labelled knob, as its mouse listener receives it.
juce::MouseEvent mouseAt (LabeledKnob& owner, int x, int y)
{
    const juce::Point<float> position (static_cast<float> (x), static_cast<float> (y));
    return { juce::Desktop::getInstance().getMainMouseSource(),
             position,
             {},
             juce::MouseInputSource::defaultPressure,
             juce::MouseInputSource::defaultOrientation,
             juce::MouseInputSource::defaultRotation,
             juce::MouseInputSource::defaultTiltX,
             juce::MouseInputSource::defaultTiltY,
             &owner,
             &owner,
             juce::Time::getCurrentTime(),
             position,
             juce::Time::getCurrentTime(),
             0,
             false };
}

struct LabeledKnobFixture : testing::Test
{
    BasicKnob knob { 20.0f, 1200.0f, "Hz" };
    LabeledKnob labeled { "BASS FREQ", knob };
};

TEST_F (LabeledKnobFixture, LaysOutLabelOverTheKnobsFoot)
{
    const struct
    {
        int height;
        juce::Rectangle<int> label, knob;
    } cases[] = {
        { 100, { 0, 70, 100, 28 }, { 0, 0, 100, 72 } },
        { 8, { 0, 5, 100, 2 }, { 0, 0, 100, 6 } },
        { 3, { 0, 2, 100, 0 }, { 0, 0, 100, 3 } },
    };

    for (const auto& c : cases)
    {
        labeled.setSize (100, c.height);
        EXPECT_EQ (labeled.label.getBounds(), c.label) << c.height;
        EXPECT_EQ (knob.getBounds(), c.knob) << c.height;
    }
}

TEST_F (LabeledKnobFixture, HoverAreaIsTallerThanWide)
{
    labeled.setSize (100, 100);
    ASSERT_EQ (knob.getBounds(), juce::Rectangle<int> (0, 0, 100, 72));

    const struct
    {
        int x, y;
        bool overKnob, overLabel;
    } cases[] = {
        { 19, 5, true, false },
        { 80, 5, true, false },
        { 18, 30, false, false },
        { 81, 30, false, false },
        { 50, 4, false, false },
        { 50, 69, true, false },
        { 50, 70, true, true },
        { 50, 76, true, true },
        { 50, 77, false, true },
        { 5, 97, false, true },
        { 5, 98, false, false },
    };

    for (const auto& c : cases)
    {
        labeled.updateLabel (mouseAt (labeled, c.x, c.y));
        EXPECT_EQ (labeled.mouseOverKnob, c.overKnob) << c.x << ", " << c.y;
        EXPECT_EQ (labeled.mouseOverLabel, c.overLabel) << c.x << ", " << c.y;
    }
}

TEST_F (LabeledKnobFixture, CaptionFollowsTheMouse)
{
    labeled.setSize (100, 100);
    knob.setValue (440.0, juce::sendNotificationSync);

    // Away from it, host automation leaves the caption alone.
    knob.setValue (500.0, juce::sendNotificationSync);
    EXPECT_EQ (labeled.label.getText(), "BASS FREQ");

    labeled.mouseListener.mouseEnter (mouseAt (labeled, 50, 30));
    EXPECT_EQ (labeled.label.getText(), "500 Hz");
    EXPECT_FALSE (labeled.isWaitingToRestoreName());

    knob.setValue (600.0, juce::sendNotificationSync);
    EXPECT_EQ (labeled.label.getText(), "600 Hz");
    EXPECT_TRUE (labeled.isWaitingToRestoreName());

    // Resting on an empty part waits before the name comes back; leaving restores it at once.
    labeled.mouseListener.mouseMove (mouseAt (labeled, 2, 30));
    EXPECT_EQ (labeled.label.getText(), "600 Hz");
    EXPECT_TRUE (labeled.isWaitingToRestoreName());

    labeled.mouseListener.mouseMove (mouseAt (labeled, 50, 80));
    labeled.mouseListener.mouseExit (mouseAt (labeled, 200, 200));
    EXPECT_EQ (labeled.label.getText(), "BASS FREQ");
    EXPECT_FALSE (labeled.isWaitingToRestoreName());
}

TEST_F (LabeledKnobFixture, NameReturnsAfterTheMouseRestsElsewhere)
{
    labeled.setSize (100, 100);
    labeled.mouseListener.mouseEnter (mouseAt (labeled, 50, 30));
    labeled.mouseListener.mouseMove (mouseAt (labeled, 2, 30));
    ASSERT_EQ (labeled.label.getText(), "20 Hz");

    juce::MessageManager::getInstance()->runDispatchLoopUntil (LabeledKnob::restoreDelayMs - 500);
    EXPECT_EQ (labeled.label.getText(), "20 Hz");

    juce::MessageManager::getInstance()->runDispatchLoopUntil (1000);
    EXPECT_EQ (labeled.label.getText(), "BASS FREQ");
    EXPECT_FALSE (labeled.isWaitingToRestoreName());
}

TEST_F (LabeledKnobFixture, TypedTextSetsTheKnobWithinItsRange)
{
    labeled.setSize (100, 100);
    EXPECT_FALSE (labeled.label.isEditableOnSingleClick());
    EXPECT_TRUE (labeled.label.isEditableOnDoubleClick());
    EXPECT_TRUE (labeled.label.doesLossOfFocusDiscardChanges());

    labeled.label.setText ("880 Hz", juce::sendNotificationSync);
    EXPECT_EQ (knob.getValue(), 880.0);

    labeled.label.setText ("5000 Hz", juce::sendNotificationSync);
    EXPECT_EQ (knob.getValue(), 1200.0);
}

// Blanks around the typed number are not part of it, and an exponent past a double's range
// reaches the end of the range rather than wrapping round to a small number.
TEST_F (LabeledKnobFixture, TypedNumbersReadWhole)
{
    const struct
    {
        const char* text;
        double value;
    } cases[] = {
        { "  700  ", 700.0 },
        { "\t700 Hz ", 700.0 },
        { "1e4294967297", 1200.0 },
        { "2e2147483648 Hz", 1200.0 },
        { "1e-4294967297", 20.0 },
    };

    for (const auto& c : cases)
    {
        knob.setValue (440.0, juce::dontSendNotification);
        labeled.label.setText (c.text, juce::sendNotificationSync);
        EXPECT_EQ (knob.getValue(), c.value) << c.text;
    }
}

void collectCaptions (juce::Component& parent, std::vector<LabeledKnob*>& captions)
{
    for (auto* child : parent.getChildren())
    {
        if (auto* caption = dynamic_cast<LabeledKnob*> (child))
            captions.push_back (caption);

        collectCaptions (*child, captions);
    }
}

// A slider given NaN never finds it equal to its value and posts its own update forever, which
// froze the host's message thread. Should that come back, a watchdog ends the run with a failure
// rather than letting the suite hang.
TEST (LabeledKnob, TypedNotANumberChangesNothingAnywhere)
{
    WarbloomAudioProcessor processor;
    std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditor());
    std::vector<LabeledKnob*> captions;
    collectCaptions (*editor, captions);
    ASSERT_GE (captions.size(), 10u);

    std::vector<float> before;

    for (auto* parameter : processor.getParameters())
        before.push_back (parameter->getValue());

    std::atomic<bool> loopReturned { false };
    std::thread watchdog ([&loopReturned]
                          {
                              for (int i = 0; i < 1000 && ! loopReturned; ++i)
                                  std::this_thread::sleep_for (std::chrono::milliseconds (10));

                              if (! loopReturned)
                              {
                                  std::fputs ("typed NaN: the message loop never returned\n", stderr);
                                  std::_Exit (EXIT_FAILURE);
                              } });

    for (auto* caption : captions)
        for (const auto* text : { "nan", "-nan", "nan Hz", "NAN DB" })
            caption->label.setText (text, juce::sendNotificationSync);

    juce::MessageManager::getInstance()->runDispatchLoopUntil (100);
    loopReturned = true;
    watchdog.join();

    for (auto* caption : captions)
        EXPECT_FALSE (std::isnan (caption->knob->getValue())) << caption->name;

    for (int i = 0; i < processor.getParameters().size(); ++i)
        EXPECT_EQ (processor.getParameters()[i]->getValue(), before[(size_t) i]) << i;
}

TEST (LabeledKnob, ReleasesTheKnobItDoesNotOwn)
{
    BasicKnob knob (0.0f, 1.0f, "");
    {
        LabeledKnob labeled ("MIX", knob);
        EXPECT_EQ (knob.getParentComponent(), &labeled);
    }

    EXPECT_EQ (knob.getParentComponent(), nullptr);
    knob.setValue (0.5);
    EXPECT_EQ (knob.getValue(), 0.5);
}
} // namespace
