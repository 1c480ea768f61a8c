#include "editor/panels/EchoPanel.h"
#include "editor/panels/TonePanel.h"
#include "PanelTestSupport.h"
#include "support/PresetTestProcessor.h"

namespace
{
using namespace panel_test;
using P = PluginParameters;

void click (juce::Component& panel, int index)
{
    child<BasicButton> (panel, index).triggerClick();
    deliverPendingMessages();
}

TEST (SubPresetButtons, EachOpensTheBrowserOfItsGroupAndACancelChangesNothing)
{
    struct Case
    {
        bool tone;
        int index;
        const char* header;
    };
    const Case cases[] = {
        { true, 10, "# Load TONE Sub Preset" },
        { true, 11, "# Save TONE Sub Preset" },
        { true, 33, "# Load MOD GATE Sub Preset" },
        { true, 34, "# Save MOD GATE Sub Preset" },
        { false, 9, "# Load ECHO Sub Preset" },
        { false, 10, "# Save ECHO Sub Preset" },
        { false, 26, "# Load DELAY GATE Sub Preset" },
        { false, 27, "# Save DELAY GATE Sub Preset" },
    };

    PresetTestProcessor test;
    TonePanel tone (&test.processor);
    EchoPanel echo (&test.processor);
    setFromHost (test.processor, P::echoFeedbackID, 55.0f);

    // The load browser shows only folders that hold files of its group.
    ASSERT_TRUE (juce::File (test.path ("SubPresets")).createDirectory());
    for (const auto* extension : { ".Tsp", ".Msp", ".Esp", ".Gsp" })
        ASSERT_TRUE (juce::File (test.path (juce::String ("SubPresets/Mine") + extension)).replaceWithText ("WBMX"));

    for (const auto& c : cases)
    {
        const auto asked = test.dialogs->menus.size();
        click (c.tone ? static_cast<juce::Component&> (tone) : echo, c.index);
        ASSERT_EQ (test.dialogs->menus.size(), asked + 1) << c.header;
        EXPECT_TRUE (test.dialogs->menus.getReference (asked).contains (c.header)) << test.dialogs->menus.getReference (asked).joinIntoString ("\n");
    }
    EXPECT_FLOAT_EQ (valueOf (test.processor, P::echoFeedbackID), 55.0f);
    for (const auto& path : test.presets().subPresetPaths)
        EXPECT_TRUE (path.isEmpty());
}

TEST (SubPresetButtons, SaveThenLoadBringsTheEchoGroupBackIntoThePanel)
{
    PresetTestProcessor test;
    EchoPanel echo (&test.processor);
    setFromHost (test.processor, P::echoFeedbackID, 55.0f);
    setFromHost (test.processor, P::echoMixID, 12.0f);

    test.dialogs->chooseItem ("Save-As...");
    test.dialogs->textReplies.push_back ("Wide");
    click (echo, 10);
    ASSERT_TRUE (juce::File (test.presets().subPresetPaths[2]).existsAsFile()) << test.presets().subPresetPaths[2];

    setFromHost (test.processor, P::echoFeedbackID, 90.0f);
    setFromHost (test.processor, P::echoMixID, 80.0f);

    test.dialogs->chooseItem ("Wide");
    click (echo, 9);
    EXPECT_NEAR (valueOf (test.processor, P::echoFeedbackID), 55.0f, 0.01f);
    EXPECT_NEAR (valueOf (test.processor, P::echoMixID), 12.0f, 0.01f);
    EXPECT_NEAR (child<LabeledKnob> (echo, 6).knob->getValue(), 55.0, 0.01);
}
} // namespace
