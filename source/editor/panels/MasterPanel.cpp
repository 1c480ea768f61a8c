#include "MasterPanel.h"

#include "editor/Populations.h"
#include "editor/Theme.h"
#include "PanelDrawing.h"
#include "processor/WarbloomAudioProcessor.h"

MasterPanel::MasterPanel (WarbloomAudioProcessor* p)
    : processor (p), controls (controlTable())
{
    setBounds (getX(), getY(), 748, 71);
    setUpControls (*this, controls);
    attachControls (controls, processor->pluginParameters, processor->apvts);
}

MasterPanel::~MasterPanel()
{
    // The attachments refer to this panel's controls, so they go first.
    processor->pluginParameters.detachMasterControls();
    releaseLooks (controls);
}

PanelControls MasterPanel::controlTable()
{
    return {
        knobRow (outputGainKnob, outputGainLabeledKnob, P::outputGainDefault, *basicLookAndFeel, *knobLabelLookAndFeel, &P::outputGainAttachment, P::outputGainID, { 336, 8, 48, 48 }),
        knobRow (modTotalKnob, modTotalLabeledKnob, P::modTotalDefault, *basicLookAndFeel, *knobLgLabelLookAndFeel, &P::modTotalAttachment, P::modTotalID, { 663, 12, 60, 60 }),
        knobRow (dryWetMixKnob, dryWetMixLabeledKnob, P::dryWetMixDefault, *basicLookAndFeel, *knobLabelLookAndFeel, &P::dryWetMixAttachment, P::dryWetMixID, { 276, 8, 48, 48 }),
        freakoutRow(),
        switchRow (holdButton, "HOLD", *buttonLookAndFeel, &P::freakoutLatchAttachment, P::freakoutLatchID, { 468, 38, 51, 17 }, [this]
                   { holdChanged(); }),
        comboRow (freakoutRateBox, Populations::populateBendRateComboBox, *comboLookAndFeel, &P::freakoutRateAttachment, P::freakoutRateID, { 468, 15, 51, 19 }),
        switchRow (echoButton, "ECHO", *buttonLookAndFeel, &P::freakoutEchoAttachment, P::freakoutEchoID, { 410, 13, 51, 17 }),
        switchRow (filterButton, "FILTER", *buttonLookAndFeel, &P::freakoutFilterAttachment, P::freakoutFilterID, { 410, 37, 51, 17 }),
    };
}

PanelControl MasterPanel::freakoutRow()
{
    // The attachment replaces this range with the parameter's 0 to 100.
    return { freakoutSlider,
             { 531, 13, 98, 28 },
             [this]
             {
                 freakoutSlider.setRange (-1.0, 1.0, 0.0);
                 freakoutSlider.setLookAndFeel (&freakoutLookAndFeel.get());
                 freakoutSlider.addListener (this);
             },
             [this] (PluginParameters& parameters, juce::AudioProcessorValueTreeState& state)
             {
                 parameters.freakoutAttachment.reset (new P::SliderAttachment (state, P::freakoutID, freakoutSlider));

                 // The attachment switches a double-click reset on; a held Freakout must not drop
                 // to 0 on a double click or an alt-click.
                 freakoutSlider.setDoubleClickReturnValue (false, 0.0, juce::ModifierKeys());
             },
             [this]
             { freakoutSlider.setLookAndFeel (nullptr); } };
}

void MasterPanel::sliderValueChanged (juce::Slider*) {}

void MasterPanel::sliderDragEnded (juce::Slider* slider)
{
    // A released fader springs back to 0 unless HOLD keeps it where it was let go.
    const auto value = holdButton.getToggleState() ? freakoutSlider.getValue() : 0.0;
    slider->setValue (value, juce::sendNotificationAsync);
}

void MasterPanel::holdChanged()
{
    if (! holdButton.getToggleState())
        freakoutSlider.setValue (0.0, juce::sendNotificationAsync);
}

void MasterPanel::resized()
{
    placeControls (controls, layout, *this);
}

void MasterPanel::paint (juce::Graphics& g)
{
    constexpr float captionHeight = 14.0f;

    g.setColour (orangeLineColour);
    fillRules (g, layout, *this, { { 144, 14, 120, 10 }, { 144, 29, 120, 5 }, { 144, 40, 120, 3 }, { 144, 49, 120, 2 } });

    g.setColour (headerTextColour);
    drawCaptions (g, layout, *this, captionHeight, { { "FREAKOUT", { 542, 44, 83, 8 } } });

    // The frame around the Freakout group.
    fillRules (g, layout, *this, { { 393, 6, 253, 1 }, { 393, 6, 1, 55 }, { 646, 6, 1, 55 }, { 393, 60, 253, 1 } });

    drawCaptions (g, layout, *this, captionHeight, { { "GATE/MOD", { 656, 3, 74, 8 } } });
}
