#pragma once

#include "editor/controls/BasicButton.h"
#include "editor/controls/BasicComboBox.h"
#include "editor/controls/BasicKnob.h"
#include "editor/controls/BasicSlider.h"
#include "editor/controls/LabeledKnob.h"
#include "editor/looks/ButtonLooks.h"
#include "editor/looks/ComboLookAndFeel.h"
#include "editor/looks/FaderLooks.h"
#include "editor/looks/KnobLooks.h"
#include "editor/looks/LabelLooks.h"
#include "PanelControls.h"

class WarbloomAudioProcessor;

// The tone section's strip: TONESHAPER (sub-preset group 0) on the left, MOD GATE (group 1) on the
// right. The controls' attachments live in the processor's PluginParameters. Message thread only.
class TonePanel : public juce::Component
{
public:
    explicit TonePanel (WarbloomAudioProcessor* processor);
    ~TonePanel() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    using P = PluginParameters;

    juce::SharedResourcePointer<BasicLookAndFeel> basicLookAndFeel;
    juce::SharedResourcePointer<KnobSmLabelLookAndFeel> knobSmLabelLookAndFeel;
    juce::SharedResourcePointer<KnobLgLabelLookAndFeel> knobLgLabelLookAndFeel;
    juce::SharedResourcePointer<RedKnobLookAndFeel> redKnobLookAndFeel;
    juce::SharedResourcePointer<SliderLabelLookAndFeel> sliderLabelLookAndFeel;
    juce::SharedResourcePointer<FaderLookAndFeel> faderLookAndFeel;
    juce::SharedResourcePointer<KnobLabelLookAndFeel> knobLabelLookAndFeel;
    juce::SharedResourcePointer<ButtonLookAndFeel> buttonLookAndFeel;
    juce::SharedResourcePointer<OrangeButtonLookAndFeel> orangeButtonLookAndFeel;
    juce::SharedResourcePointer<ComboLookAndFeel> comboLookAndFeel;

    WarbloomAudioProcessor* processor;

    BasicKnob splitKnob { 20.0f, 1200.0f, P::bandSplitterLabel };
    LabeledKnob splitLabeledKnob { P::bandSplitterName, splitKnob };
    BasicKnob driveKnob { 0.0f, 12.0f, P::inputDriveLabel };
    LabeledKnob driveLabeledKnob { P::inputDriveName, driveKnob };
    BasicKnob bassLevelKnob { 0.0f, 100.0f, P::bassLevelLabel };
    LabeledKnob bassLevelLabeledKnob { P::bassLevelName, bassLevelKnob };
    BasicKnob bassFreqKnob { 30.0f, 95.0f, P::bassFreqLabel };
    LabeledKnob bassFreqLabeledKnob { P::bassFreqName, bassFreqKnob };
    BasicKnob cutoffKnob { 20.0f, 20000.0f, P::filterCutLabel };
    LabeledKnob cutoffLabeledKnob { P::filterCutName, cutoffKnob };
    BasicKnob resonanceKnob { 0.0f, 100.0f, P::filterResLabel };
    LabeledKnob resonanceLabeledKnob { P::filterResName, resonanceKnob };
    BasicKnob crunchKnob { 0.0f, 100.0f, P::satCrunchLabel };
    LabeledKnob crunchLabeledKnob { P::satCrunchName, crunchKnob };
    BasicKnob satMixKnob { 0.0f, 100.0f, P::satMixLabel };
    LabeledKnob satMixLabeledKnob { P::satMixName, satMixKnob };
    BasicKnob toneMixKnob { 0.0f, 100.0f, P::toneMixLabel };
    LabeledKnob toneMixLabeledKnob { P::toneMixName, toneMixKnob };
    BasicButton driveSwitch;
    BasicButton toneLoadButton;
    BasicButton toneSaveButton;
    BasicButton toneRandomButton;
    BasicButton powerSwitch;
    BasicComboBox lfoWaveBox;
    BasicComboBox lfoRateBox;
    BasicKnob lfoOffsetKnob { 0.0f, 100.0f, P::toneModLfoOffsetLabel };
    LabeledKnob lfoOffsetLabeledKnob { P::toneModLfoOffsetName, lfoOffsetKnob };
    BasicButton lfoSwitch;
    BasicComboBox gateRateBox;
    BasicKnob gateLengthKnob { 1.0f, 8.0f, P::toneModGateLengthLabel };
    LabeledKnob gateLengthLabeledKnob { P::toneModGateLengthName, gateLengthKnob };
    BasicComboBox gateTypeBox;
    BasicButton gateSwitch;
    BasicKnob filterDepthKnob { 0.0f, 100.0f, P::toneFilterModDepthLabel };
    LabeledKnob filterDepthLabeledKnob { P::toneFilterModDepthName, filterDepthKnob };
    BasicKnob ampDepthKnob { 0.0f, 100.0f, P::toneAmpModDepthLabel };
    LabeledKnob ampDepthLabeledKnob { P::toneAmpModDepthName, ampDepthKnob };
    BasicSlider waveShiftSlider { 0.25f, 0.75f, {} };
    std::array<BasicButton, 8> stepSwitches;
    BasicButton modLoadButton;
    BasicButton modSaveButton;
    BasicButton modRandomButton;

    // The control table, one row per control in set-up and attachment order.
    const PanelControls controls;

    PanelControls controlTable();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TonePanel)
};
