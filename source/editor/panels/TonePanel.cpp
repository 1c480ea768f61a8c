#include "TonePanel.h"

#include "editor/Populations.h"
#include "editor/Theme.h"
#include "PanelDrawing.h"
#include "processor/WarbloomAudioProcessor.h"

namespace
{
constexpr ReferenceLayout layout { 709.0f, 146.0f };

constexpr int toneGroup = 0;
constexpr int modGroup = 1;

void fillWaveBox (juce::ComboBox& box)
{
    fillItems (box, { "Sine", "Tri", "Saw", "Ramp", "Saw2", "Ramp2", "Square", "Rect" });
}

void fillGateTypeBox (juce::ComboBox& box)
{
    fillItems (box, { "HARD GATE", "SOFT GATE", "GLIDE GATE" });
}
} // namespace

TonePanel::TonePanel (WarbloomAudioProcessor* p)
    : processor (p), controls (controlTable())
{
    setBounds (getX(), getY(), 709, 146);
    setUpControls (*this, controls);
    attachControls (controls, processor->pluginParameters, processor->apvts);
}

TonePanel::~TonePanel()
{
    // The attachments refer to this panel's controls, so they go before anything else.
    processor->pluginParameters.detachToneControls();
    releaseLooks (controls);
}

PanelControls TonePanel::controlTable()
{
    auto& basic = *basicLookAndFeel;
    auto& red = *redKnobLookAndFeel;
    auto& label = *knobLabelLookAndFeel;
    auto& button = *buttonLookAndFeel;
    auto& orange = *orangeButtonLookAndFeel;
    auto& combo = *comboLookAndFeel;

    return {
        knobRow (splitKnob, splitLabeledKnob, P::bandSplitterDefault, basic, label, &P::bandSplitterAttachment, P::bandSplitterID, { 14, 90, 48, 48 }),
        knobRow (driveKnob, driveLabeledKnob, P::inputDriveDefault, basic, label, &P::inputDriveAttachment, P::inputDriveID, { 14, 38, 48, 48 }),
        knobRow (bassFreqKnob, bassFreqLabeledKnob, P::bassFreqDefault, basic, label, &P::bassFreqAttachment, P::bassFreqID, { 89, 90, 48, 48 }),
        knobRow (bassLevelKnob, bassLevelLabeledKnob, P::bassLevelDefault, basic, label, &P::bassLevelAttachment, P::bassLevelID, { 89, 38, 48, 48 }),
        knobRow (cutoffKnob, cutoffLabeledKnob, P::filterCutDefault, basic, label, &P::filterCutAttachment, P::filterCutID, { 166, 38, 48, 48 }),
        knobRow (resonanceKnob, resonanceLabeledKnob, P::filterResDefault, basic, label, &P::filterResAttachment, P::filterResID, { 166, 90, 48, 48 }),
        knobRow (crunchKnob, crunchLabeledKnob, P::satCrunchDefault, basic, label, &P::satCrunchAttachment, P::satCrunchID, { 239, 90, 48, 48 }),
        knobRow (satMixKnob, satMixLabeledKnob, P::satMixDefault, basic, label, &P::satMixAttachment, P::satMixID, { 239, 38, 48, 48 }),
        knobRow (toneMixKnob, toneMixLabeledKnob, P::toneMixDefault, basic, label, &P::toneMixAttachment, P::toneMixID, { 314, 38, 48, 48 }),
        switchRow (driveSwitch, "DRIVE", orange, &P::driveMixAttachment, P::driveMixID, { 315, 95, 47, 17 }),
        loadRow (toneLoadButton, button, *processor, toneGroup, { 238, 8, 47, 17 }),
        saveRow (toneSaveButton, button, *processor, toneGroup, { 289, 8, 47, 17 }),
        randomiseRow (toneRandomButton, button, *processor, toneGroup, &P::toneRndAttachment, P::toneRndID, { 339, 8, 30, 17 }),
        switchRow (powerSwitch, "", orange, &P::tonePowerAttachment, P::tonePowerID, { 12, 9, 18, 16 }),
        comboRow (lfoWaveBox, fillWaveBox, combo, &P::toneModLfoWaveAttachment, P::toneModLfoWaveID, { 505, 37, 73, 19 }),
        comboRow (lfoRateBox, Populations::populateBendRateComboBox, combo, &P::toneModLfoRateAttachment, P::toneModLfoRateID, { 448, 37, 51, 19 }),
        knobRow (lfoOffsetKnob, lfoOffsetLabeledKnob, P::toneModLfoOffsetDefault, basic, label, &P::toneModLfoOffsetAttachment, P::toneModLfoOffsetID, { 556, 94, 48, 48 }),
        switchRow (lfoSwitch, "LFO", orange, &P::toneModLfoPowerAttachment, P::toneModLfoPowerID, { 392, 37, 50, 17 }),
        comboRow (gateRateBox, Populations::populateSeqRateComboBox, combo, &P::toneModGateRateAttachment, P::toneModGateRateID, { 448, 63, 51, 19 }),
        knobRow (gateLengthKnob, gateLengthLabeledKnob, P::toneModGateLengthDefault, basic, label, &P::toneModGateLengthAttachment, P::toneModGateLengthID, { 506, 94, 48, 48 }),
        comboRow (gateTypeBox, fillGateTypeBox, combo, &P::toneModGateTypeAttachment, P::toneModGateTypeID, { 505, 63, 73, 19 }),
        switchRow (gateSwitch, "GATE", orange, &P::toneModGatePowerAttachment, P::toneModGatePowerID, { 392, 63, 50, 17 }),
        knobRow (filterDepthKnob, filterDepthLabeledKnob, P::toneFilterModDepthDefault, red, label, &P::toneFilterModDepthAttachment, P::toneFilterModDepthID, { 656, 94, 48, 48 }),
        knobRow (ampDepthKnob, ampDepthLabeledKnob, P::toneAmpModDepthDefault, red, label, &P::toneAmpModDepthAttachment, P::toneAmpModDepthID, { 606, 94, 48, 48 }),
        sliderRow (waveShiftSlider, P::toneModWaveShiftDefault, *faderLookAndFeel, &P::toneModWaveShiftAttachment, P::toneModWaveShiftID, { 599, 35, 98, 23 }),
        switchRow (stepSwitches[0], "", orange, &P::toneModStep1Attachment, P::toneModStep1ID, { 392, 89, 26, 12 }),
        switchRow (stepSwitches[1], "", orange, &P::toneModStep2Attachment, P::toneModStep2ID, { 421, 89, 26, 12 }),
        switchRow (stepSwitches[2], "", orange, &P::toneModStep3Attachment, P::toneModStep3ID, { 450, 89, 26, 12 }),
        switchRow (stepSwitches[3], "", orange, &P::toneModStep4Attachment, P::toneModStep4ID, { 480, 89, 26, 12 }),
        switchRow (stepSwitches[4], "", orange, &P::toneModStep5Attachment, P::toneModStep5ID, { 392, 104, 26, 12 }),
        switchRow (stepSwitches[5], "", orange, &P::toneModStep6Attachment, P::toneModStep6ID, { 421, 104, 26, 12 }),
        switchRow (stepSwitches[6], "", orange, &P::toneModStep7Attachment, P::toneModStep7ID, { 450, 104, 26, 12 }),
        switchRow (stepSwitches[7], "", orange, &P::toneModStep8Attachment, P::toneModStep8ID, { 480, 104, 26, 12 }),
        loadRow (modLoadButton, button, *processor, modGroup, { 570, 8, 47, 17 }),
        saveRow (modSaveButton, button, *processor, modGroup, { 621, 8, 47, 17 }),
        randomiseRow (modRandomButton, button, *processor, modGroup, &P::toneModRndAttachment, P::toneModRndID, { 671, 8, 30, 17 }),
    };
}

void TonePanel::paint (juce::Graphics& g)
{
    paintPanelFace (g, layout, *this);
    drawSectionTitle (g, layout, *this, "TONESHAPER", 36.0f);

    g.setColour (juce::Colour (0xFF30373A));
    fillRules (g, layout, *this, { { 1, 30, 707, 1 }, { 75, 30, 1, 115 }, { 150, 30, 1, 115 }, { 225, 30, 1, 115 }, { 300, 30, 1, 115 }, { 374, 1, 1, 145 } });

    drawSectionTitle (g, layout, *this, "MOD GATE", 385.0f);
    drawCaptions (g, layout, *this, 15.0f, { { "WAVE SHIFT", { 599, 60, 98, 15 } }, { "AMP", { 610, 80, 40, 15 } }, { "FILTER", { 658, 80, 43, 15 } } });

    // The gate's brackets keep the caption colour.
    fillRules (g, layout, *this, { { 384, 46, 217, 1 }, { 384, 47, 1, 26 }, { 384, 72, 75, 1 }, { 384, 94, 8, 1 }, { 384, 95, 1, 40 }, { 384, 134, 121, 1 } });
}

void TonePanel::resized()
{
    placeControls (controls, layout, *this);
}
