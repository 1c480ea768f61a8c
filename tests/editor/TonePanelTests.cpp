#include "editor/panels/TonePanel.h"
#include "editor/Randomiser.h"
#include "PanelTestSupport.h"

namespace
{
using namespace panel_test;
using P = PluginParameters;

// Children in the order the panel adds them, with the parameter each is bound to.
const std::vector<ExpectedChild> toneLayout {
    { "split knob", { 14, 90, 48, 48 }, &P::bandSplitterID },
    { "drive knob", { 14, 38, 48, 48 }, &P::inputDriveID },
    { "bass frequency knob", { 89, 90, 48, 48 }, &P::bassFreqID },
    { "bass level knob", { 89, 38, 48, 48 }, &P::bassLevelID },
    { "cutoff knob", { 166, 38, 48, 48 }, &P::filterCutID },
    { "resonance knob", { 166, 90, 48, 48 }, &P::filterResID },
    { "crunch knob", { 239, 90, 48, 48 }, &P::satCrunchID },
    { "saturation mix knob", { 239, 38, 48, 48 }, &P::satMixID },
    { "tone mix knob", { 314, 38, 48, 48 }, &P::toneMixID },
    { "DRIVE switch", { 315, 95, 47, 17 }, &P::driveMixID },
    { "LOAD group 0", { 238, 8, 47, 17 } },
    { "SAVE group 0", { 289, 8, 47, 17 } },
    { "!?! group 0", { 339, 8, 30, 17 }, &P::toneRndID },
    { "power switch", { 12, 9, 18, 16 }, &P::tonePowerID },
    { "LFO wave box", { 505, 37, 73, 19 }, &P::toneModLfoWaveID },
    { "LFO rate box", { 448, 37, 51, 19 }, &P::toneModLfoRateID },
    { "LFO offset knob", { 556, 94, 48, 48 }, &P::toneModLfoOffsetID },
    { "LFO switch", { 392, 37, 50, 17 }, &P::toneModLfoPowerID },
    { "gate rate box", { 448, 63, 51, 19 }, &P::toneModGateRateID },
    { "gate length knob", { 506, 94, 48, 48 }, &P::toneModGateLengthID },
    { "gate type box", { 505, 63, 73, 19 }, &P::toneModGateTypeID },
    { "GATE switch", { 392, 63, 50, 17 }, &P::toneModGatePowerID },
    { "filter depth knob", { 656, 94, 48, 48 }, &P::toneFilterModDepthID },
    { "amp depth knob", { 606, 94, 48, 48 }, &P::toneAmpModDepthID },
    { "wave shift slider", { 599, 35, 98, 23 }, &P::toneModWaveShiftID },
    { "step 1", { 392, 89, 26, 12 }, &P::toneModStep1ID },
    { "step 2", { 421, 89, 26, 12 }, &P::toneModStep2ID },
    { "step 3", { 450, 89, 26, 12 }, &P::toneModStep3ID },
    { "step 4", { 480, 89, 26, 12 }, &P::toneModStep4ID },
    { "step 5", { 392, 104, 26, 12 }, &P::toneModStep5ID },
    { "step 6", { 421, 104, 26, 12 }, &P::toneModStep6ID },
    { "step 7", { 450, 104, 26, 12 }, &P::toneModStep7ID },
    { "step 8", { 480, 104, 26, 12 }, &P::toneModStep8ID },
    { "LOAD group 1", { 570, 8, 47, 17 } },
    { "SAVE group 1", { 621, 8, 47, 17 } },
    { "!?! group 1", { 671, 8, 30, 17 }, &P::toneModRndID },
};

constexpr int toneRandomIndex = 12;
constexpr int lfoWaveIndex = 14;
constexpr int gateTypeIndex = 20;
constexpr int waveShiftIndex = 24;

TEST (TonePanel, LayoutAtReferenceSizeAndDoubled)
{
    WarbloomAudioProcessor processor;
    TonePanel panel (&processor);
    EXPECT_EQ (panel.getBounds(), juce::Rectangle<int> (0, 0, 709, 146));
    expectChildBounds (panel, toneLayout, 1);

    panel.setSize (1418, 292);
    expectChildBounds (panel, toneLayout, 2);
}

TEST (TonePanel, ReopeningShowsCurrentValuesAndLeavesNothingAttached)
{
    WarbloomAudioProcessor processor;
    juce::Random random (7);
    for (int opening = 0; opening < 25; ++opening)
    {
        {
            TonePanel panel (&processor);
            EXPECT_EQ (heldAttachments (processor.pluginParameters, "Tone"), 32);
            expectControlsShowParameters (panel, toneLayout, processor);
        }
        EXPECT_EQ (heldAttachments (processor.pluginParameters, "Tone"), 0);
        EXPECT_EQ (juce::SharedResourcePointer<FaderLookAndFeel>().getReferenceCount(), 1);

        moveParameters (processor, toneLayout, random);
    }
}

TEST (TonePanel, KnobsAndSliderReturnToTheirDefaultsOnDoubleClick)
{
    WarbloomAudioProcessor processor;
    TonePanel panel (&processor);
    for (int i = 0; i < panel.getNumChildComponents(); ++i)
    {
        juce::Slider* slider = dynamic_cast<BasicSlider*> (panel.getChildComponent (i));
        if (auto* labeled = dynamic_cast<LabeledKnob*> (panel.getChildComponent (i)))
            slider = labeled->knob;
        if (slider == nullptr)
            continue;

        auto& p = parameter (processor, *toneLayout[(size_t) i].parameterID);
        EXPECT_TRUE (slider->isDoubleClickReturnEnabled()) << toneLayout[(size_t) i].what;
        EXPECT_FLOAT_EQ ((float) slider->getDoubleClickReturnValue(), p.convertFrom0to1 (p.getDefaultValue())) << toneLayout[(size_t) i].what;
    }
    EXPECT_EQ (child<BasicSlider> (panel, waveShiftIndex).getDoubleClickReturnValue(), 0.25);
}

TEST (TonePanel, BoxesHoldTheirParametersValues)
{
    WarbloomAudioProcessor processor;
    TonePanel panel (&processor);

    auto& wave = child<BasicComboBox> (panel, lfoWaveIndex);
    const juce::StringArray waves { "Sine", "Tri", "Saw", "Ramp", "Saw2", "Ramp2", "Square", "Rect" };
    ASSERT_EQ (wave.getNumItems(), waves.size());
    for (int i = 0; i < waves.size(); ++i)
        EXPECT_EQ (wave.getItemText (i), waves[i]);

    auto& type = child<BasicComboBox> (panel, gateTypeIndex);
    ASSERT_EQ (type.getNumItems(), 3);
    EXPECT_EQ (type.getItemText (2), "GLIDE GATE");

    setFromHost (processor, P::toneModGateTypeID, 2.0f);
    EXPECT_EQ (type.getText(), "GLIDE GATE");

    for (int i = 0; i < panel.getNumChildComponents(); ++i)
    {
        if (auto* box = dynamic_cast<BasicComboBox*> (panel.getChildComponent (i)))
        {
            EXPECT_EQ (wheelNotchDown (*box), 0) << toneLayout[(size_t) i].what;
        }
    }
}

TEST (TonePanel, ClickingRandomiseLeavesResonanceToneMixAndItsSwitchAlone)
{
    WarbloomAudioProcessor processor;
    setFromHost (processor, P::filterResID, 33.0f);
    setFromHost (processor, P::toneMixID, 66.0f);
    TonePanel panel (&processor);

    for (int press = 0; press < 3; ++press)
    {
        const auto splitBefore = valueOf (processor, P::bandSplitterID);
        child<BasicButton> (panel, toneRandomIndex).triggerClick();
        deliverPendingMessages();
        EXPECT_NE (valueOf (processor, P::bandSplitterID), splitBefore);
    }
    EXPECT_FLOAT_EQ (valueOf (processor, P::filterResID), 33.0f);
    EXPECT_FLOAT_EQ (valueOf (processor, P::toneMixID), 66.0f);
    EXPECT_EQ (valueOf (processor, P::toneRndID), 0.0f);
    expectControlsShowParameters (panel, toneLayout, processor);
}
} // namespace
