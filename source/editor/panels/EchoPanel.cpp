#include "EchoPanel.h"

#include "editor/Populations.h"
#include "editor/Theme.h"
#include "PanelDrawing.h"
#include "processor/WarbloomAudioProcessor.h"

namespace
{
constexpr ReferenceLayout layout { 709.0f, 115.0f };

constexpr int echoGroup = 2;
constexpr int gateGroup = 3;
} // namespace

EchoPanel::EchoPanel (WarbloomAudioProcessor* p)
    : processor (p), controls (controlTable())
{
    setBounds (getX(), getY(), 709, 115);
    setUpControls (*this, controls);
    attachControls (controls, processor->pluginParameters, processor->apvts);
}

EchoPanel::~EchoPanel()
{
    // The attachments refer to this panel's controls, so they go before anything else.
    processor->pluginParameters.detachEchoControls();
    releaseLooks (controls);
}

void EchoPanel::copyRate (juce::ComboBox& from, juce::ComboBox& to)
{
    // Asynchronous, so the copied box's own attachment and onChange run later, find both boxes
    // equal and stop there.
    if (linkSwitch.getToggleState())
        to.setText (from.getText(), juce::sendNotificationAsync);
}

PanelControls EchoPanel::controlTable()
{
    auto& basic = *basicLookAndFeel;
    auto& red = *redKnobLookAndFeel;
    auto& label = *knobLabelLookAndFeel;
    auto& button = *buttonLookAndFeel;
    auto& orange = *orangeButtonLookAndFeel;
    auto& combo = *comboLookAndFeel;

    // The link switch's click also comes from its attachment on every change of the parameter,
    // so switching the link on by any route makes rate 2 follow rate 1.
    auto rate1Changed = [this]
    { copyRate (rate1Box, rate2Box); };
    auto rate2Changed = [this]
    { copyRate (rate2Box, rate1Box); };
    constexpr bool wheelSteps = true;

    return {
        comboRow (rate1Box, Populations::populateEchoRateComboBox, combo, &P::echoRate1Attachment, P::echoRate1ID, { 81, 42, 51, 19 }, rate1Changed, wheelSteps),
        comboRow (rate2Box, Populations::populateEchoRateComboBox, combo, &P::echoRate2Attachment, P::echoRate2ID, { 81, 84, 51, 19 }, rate2Changed, wheelSteps),
        switchRow (linkSwitch, "", orange, &P::echoRateLinkAttachment, P::echoRateLinkID, { 100, 67, 13, 12 }, rate1Changed),
        switchRow (pingPongSwitch, "PINGPONG", orange, &P::echoPingPongModeAttachment, P::echoPingPongModeID, { 142, 88, 62, 17 }),
        knobRow (inputKnob, inputLabeledKnob, P::echoInputDefault, basic, label, &P::echoInputAttachment, P::echoInputID, { 12, 38, 48, 48 }),
        knobRow (spreadKnob, spreadLabeledKnob, P::echoSpreadDefault, basic, label, &P::echoSpreadAttachment, P::echoSpreadID, { 149, 38, 48, 48 }),
        knobRow (feedbackKnob, feedbackLabeledKnob, P::echoFeedbackDefault, basic, label, &P::echoFeedbackAttachment, P::echoFeedbackID, { 204, 38, 48, 48 }),
        knobRow (dampKnob, dampLabeledKnob, P::echoDampDefault, basic, label, &P::echoDampAttachment, P::echoDampID, { 259, 38, 48, 48 }),
        knobRow (mixKnob, mixLabeledKnob, P::echoMixDefault, basic, label, &P::echoMixAttachment, P::echoMixID, { 312, 38, 48, 48 }),
        loadRow (echoLoadButton, button, *processor, echoGroup, { 238, 8, 47, 17 }),
        saveRow (echoSaveButton, button, *processor, echoGroup, { 289, 8, 47, 17 }),
        randomiseRow (echoRandomButton, button, *processor, echoGroup, &P::echoRndAttachment, P::echoRndID, { 339, 8, 30, 17 }),
        switchRow (powerSwitch, "", orange, &P::echoPowerAttachment, P::echoPowerID, { 12, 9, 18, 16 }),
        comboRow (gateRateBox, Populations::populateSeqRateComboBox, combo, &P::echoModGateRateAttachment, P::echoModGateRateID, { 464, 36, 51, 19 }),
        knobRow (gateLengthKnob, gateLengthLabeledKnob, P::echoModGateLengthDefault, basic, label, &P::echoModGateLengthAttachment, P::echoModGateLengthID, { 511, 65, 48, 48 }),
        knobRow (inputLevelKnob, inputLevelLabeledKnob, P::echoInputModLevelDefault, red, label, &P::echoInputModLevelAttachment, P::echoInputModLevelID, { 661, 61, 48, 48 }),
        knobRow (feedLevelKnob, feedLevelLabeledKnob, P::echoFeedModLevelDefault, red, label, &P::echoFeedModLevelAttachment, P::echoFeedModLevelID, { 611, 61, 48, 48 }),
        switchRow (gateSwitch, "GATE", orange, &P::echoModGatePowerAttachment, P::echoModGatePowerID, { 405, 36, 50, 17 }),
        switchRow (stepSwitches[0], "", orange, &P::echoModStep1Attachment, P::echoModStep1ID, { 392, 64, 26, 12 }),
        switchRow (stepSwitches[1], "", orange, &P::echoModStep2Attachment, P::echoModStep2ID, { 421, 64, 26, 12 }),
        switchRow (stepSwitches[2], "", orange, &P::echoModStep3Attachment, P::echoModStep3ID, { 450, 64, 26, 12 }),
        switchRow (stepSwitches[3], "", orange, &P::echoModStep4Attachment, P::echoModStep4ID, { 480, 64, 26, 12 }),
        switchRow (stepSwitches[4], "", orange, &P::echoModStep5Attachment, P::echoModStep5ID, { 392, 79, 26, 12 }),
        switchRow (stepSwitches[5], "", orange, &P::echoModStep6Attachment, P::echoModStep6ID, { 421, 79, 26, 12 }),
        switchRow (stepSwitches[6], "", orange, &P::echoModStep7Attachment, P::echoModStep7ID, { 450, 79, 26, 12 }),
        switchRow (stepSwitches[7], "", orange, &P::echoModStep8Attachment, P::echoModStep8ID, { 480, 79, 26, 12 }),
        loadRow (gateLoadButton, button, *processor, gateGroup, { 570, 8, 47, 17 }),
        saveRow (gateSaveButton, button, *processor, gateGroup, { 621, 8, 47, 17 }),
        randomiseRow (gateRandomButton, button, *processor, gateGroup, &P::echoModRndAttachment, P::echoModRndID, { 671, 8, 30, 17 }),
    };
}

void EchoPanel::paint (juce::Graphics& g)
{
    paintPanelFace (g, layout, *this);
    drawSectionTitle (g, layout, *this, "ECHO", 36.0f);

    // The second rule runs past the bottom edge and is clipped there.
    g.setColour (juce::Colour (0xFF30373A));
    fillRules (g, layout, *this, { { 1, 30, 707, 1 }, { 69, 30, 1, 100 }, { 374, 1, 1, 114 }, { 105, 60, 1, 24 } });

    drawSectionTitle (g, layout, *this, "DELAY GATE", 385.0f);

    // The gate's brackets keep the title colour.
    fillRules (g, layout, *this, { { 384, 69, 8, 1 }, { 384, 69, 1, 36 }, { 384, 105, 121, 1 } });
    drawCaptions (g, layout, *this, 15.0f, { { "FEED", { 613, 48, 43, 15 } }, { "INPUT", { 660, 48, 46, 15 } } });
}

void EchoPanel::resized()
{
    placeControls (controls, layout, *this);
}
