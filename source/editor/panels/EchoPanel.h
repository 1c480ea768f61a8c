#pragma once

#include "editor/controls/BasicButton.h"
#include "editor/controls/BasicComboBox.h"
#include "editor/controls/BasicKnob.h"
#include "editor/controls/DecibelKnob.h"
#include "editor/controls/LabeledKnob.h"
#include "editor/looks/ButtonLooks.h"
#include "editor/looks/ComboLookAndFeel.h"
#include "editor/looks/KnobLooks.h"
#include "editor/looks/LabelLooks.h"
#include "PanelControls.h"

class WarbloomAudioProcessor;

// The echo section's strip: ECHO (sub-preset group 2) on the left, DELAY GATE (group 3) on the
// right. The controls' attachments live in the processor's PluginParameters. With the link switch
// on, either rate box copies its choice into the other. Message thread only.
class EchoPanel : public juce::Component
{
public:
    explicit EchoPanel (WarbloomAudioProcessor* processor);
    ~EchoPanel() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    using P = PluginParameters;

    juce::SharedResourcePointer<BasicLookAndFeel> basicLookAndFeel;
    juce::SharedResourcePointer<KnobLabelLookAndFeel> knobLabelLookAndFeel;
    juce::SharedResourcePointer<KnobSmLabelLookAndFeel> knobSmLabelLookAndFeel;
    juce::SharedResourcePointer<KnobLgLabelLookAndFeel> knobLgLabelLookAndFeel;
    juce::SharedResourcePointer<RedKnobLookAndFeel> redKnobLookAndFeel;
    juce::SharedResourcePointer<ButtonLookAndFeel> buttonLookAndFeel;
    juce::SharedResourcePointer<OrangeButtonLookAndFeel> orangeButtonLookAndFeel;
    juce::SharedResourcePointer<ComboLookAndFeel> comboLookAndFeel;

    WarbloomAudioProcessor* processor;

    BasicComboBox rate1Box;
    BasicComboBox rate2Box;
    BasicButton linkSwitch;
    BasicButton pingPongSwitch;
    DecibelKnob inputKnob { -100.0f, 10.0f, {} };
    LabeledKnob inputLabeledKnob { P::echoInputName, inputKnob };
    DecibelKnob spreadKnob { 0.0f, 100.0f, {} };
    LabeledKnob spreadLabeledKnob { P::echoSpreadName, spreadKnob };
    BasicKnob feedbackKnob { 0.0f, 101.0f, P::echoFeedbackLabel };
    LabeledKnob feedbackLabeledKnob { P::echoFeedbackName, feedbackKnob };
    BasicKnob dampKnob { 0.0f, 100.0f, P::echoDampLabel };
    LabeledKnob dampLabeledKnob { P::echoDampName, dampKnob };
    BasicKnob mixKnob { 0.0f, 100.0f, P::echoMixLabel };
    LabeledKnob mixLabeledKnob { P::echoMixName, mixKnob };
    BasicButton echoLoadButton;
    BasicButton echoSaveButton;
    BasicButton echoRandomButton;
    BasicButton powerSwitch;
    BasicComboBox gateRateBox;
    BasicKnob gateLengthKnob { 1.0f, 8.0f, P::echoModGateLengthLabel };
    LabeledKnob gateLengthLabeledKnob { P::echoModGateLengthName, gateLengthKnob };
    BasicKnob inputLevelKnob { 0.0f, 100.0f, P::echoInputModLevelLabel };
    LabeledKnob inputLevelLabeledKnob { P::echoInputModLevelName, inputLevelKnob };
    BasicKnob feedLevelKnob { 0.0f, 100.0f, P::echoFeedModLevelLabel };
    LabeledKnob feedLevelLabeledKnob { P::echoFeedModLevelName, feedLevelKnob };
    BasicButton gateSwitch;
    std::array<BasicButton, 8> stepSwitches;
    BasicButton gateLoadButton;
    BasicButton gateSaveButton;
    BasicButton gateRandomButton;

    // The control table, one row per control in set-up and attachment order.
    const PanelControls controls;

    PanelControls controlTable();

    // Rate link: with the link on, `to` takes the rate that `from` shows.
    void copyRate (juce::ComboBox& from, juce::ComboBox& to);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EchoPanel)
};
