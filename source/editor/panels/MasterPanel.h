#pragma once

#include "editor/controls/BasicButton.h"
#include "editor/controls/BasicComboBox.h"
#include "editor/controls/BasicKnob.h"
#include "editor/controls/BasicSlider.h"
#include "editor/controls/DecibelKnob.h"
#include "editor/controls/LabeledKnob.h"
#include "editor/looks/ButtonLooks.h"
#include "editor/looks/ComboLookAndFeel.h"
#include "editor/looks/FaderLooks.h"
#include "editor/looks/KnobLooks.h"
#include "editor/looks/LabelLooks.h"
#include "PanelControls.h"

class WarbloomAudioProcessor;

// The bottom strip: output gain, total modulation and dry/wet, and the Freakout group with its
// spring-return fader, HOLD latch, rate and ECHO / FILTER switches. It paints no background, so the
// editor's background and logo show through. Message thread only.
class MasterPanel : public juce::Component,
                    public juce::Slider::Listener
{
public:
    explicit MasterPanel (WarbloomAudioProcessor* processor);
    ~MasterPanel() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    void sliderValueChanged (juce::Slider* slider) override;
    void sliderDragEnded (juce::Slider* slider) override;

    static constexpr ReferenceLayout layout { 748.0f, 71.0f };

private:
    using P = PluginParameters;

    juce::SharedResourcePointer<BasicLookAndFeel> basicLookAndFeel;
    juce::SharedResourcePointer<FreakoutLookAndFeel> freakoutLookAndFeel;
    juce::SharedResourcePointer<RedKnobLookAndFeel> redKnobLookAndFeel;
    juce::SharedResourcePointer<KnobLabelLookAndFeel> knobLabelLookAndFeel;
    juce::SharedResourcePointer<KnobLgLabelLookAndFeel> knobLgLabelLookAndFeel;
    juce::SharedResourcePointer<ButtonLookAndFeel> buttonLookAndFeel;
    juce::SharedResourcePointer<ComboLookAndFeel> comboLookAndFeel;

    WarbloomAudioProcessor* processor;

    DecibelKnob outputGainKnob { -100.0f, 12.0f, {} };
    LabeledKnob outputGainLabeledKnob { P::outputGainName, outputGainKnob };
    BasicKnob modTotalKnob { 0.0f, 100.0f, P::modTotalLabel };
    LabeledKnob modTotalLabeledKnob { P::modTotalName, modTotalKnob };
    BasicKnob dryWetMixKnob { 0.0f, 100.0f, P::dryWetMixLabel };
    LabeledKnob dryWetMixLabeledKnob { P::dryWetMixName, dryWetMixKnob };
    BasicSlider freakoutSlider { 0.0f, 100.0f, {} };
    BasicButton holdButton;
    BasicComboBox freakoutRateBox;
    BasicButton echoButton;
    BasicButton filterButton;

    // The control table, one row per control in set-up and attachment order.
    const PanelControls controls;

    PanelControls controlTable();
    PanelControl freakoutRow();

    // HOLD switched off lets a held fader fall back to 0.
    void holdChanged();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MasterPanel)
};
