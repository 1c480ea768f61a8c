#pragma once

#include "editor/ReferenceLayout.h"
#include "processor/PluginParameters.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <vector>

class BasicButton;
class BasicComboBox;
class BasicKnob;
class BasicSlider;
class LabeledKnob;
class WarbloomAudioProcessor;

// One row of a panel's control table: the component the panel adds and places (a knob's
// LabeledKnob), its design rectangle, how it is set up, and how it is bound to its parameter.
struct PanelControl
{
    juce::Component& placed;
    DesignRect rect;
    std::function<void()> setUp;
    std::function<void (PluginParameters&, juce::AudioProcessorValueTreeState&)> attach;
    std::function<void()> releaseLooks;
};

using PanelControls = std::vector<PanelControl>;

template <typename Attachment>
using AttachmentMember = std::unique_ptr<Attachment> PluginParameters::*;

// A knob in its LabeledKnob, reset to its parameter's default by a double click.
PanelControl knobRow (BasicKnob& knob,
                      LabeledKnob& labeledKnob,
                      double doubleClickValue,
                      juce::LookAndFeel& knobLook,
                      juce::LookAndFeel& labelLook,
                      AttachmentMember<PluginParameters::SliderAttachment> attachment,
                      const juce::String& parameterID,
                      DesignRect rect);

// A slider placed directly on the panel.
PanelControl sliderRow (BasicSlider& slider,
                        double doubleClickValue,
                        juce::LookAndFeel& look,
                        AttachmentMember<PluginParameters::SliderAttachment> attachment,
                        const juce::String& parameterID,
                        DesignRect rect);

// A switch whose click flips its parameter.
PanelControl switchRow (BasicButton& button,
                        const char* text,
                        juce::LookAndFeel& look,
                        AttachmentMember<PluginParameters::ButtonAttachment> attachment,
                        const juce::String& parameterID,
                        DesignRect rect,
                        std::function<void()> onClick = {});

// The buttons of sub-preset group `group`: LOAD and SAVE go to the processor's preset manager.
PanelControl loadRow (BasicButton& button, juce::LookAndFeel& look, WarbloomAudioProcessor& processor, int group, DesignRect rect);
PanelControl saveRow (BasicButton& button, juce::LookAndFeel& look, WarbloomAudioProcessor& processor, int group, DesignRect rect);

// "!?!" randomises the group on a click and, through its attachment, whenever the group's
// randomise switch crosses 0.5; the button does not toggle, so a click leaves the switch alone.
PanelControl randomiseRow (BasicButton& button,
                           juce::LookAndFeel& look,
                           WarbloomAudioProcessor& processor,
                           int group,
                           AttachmentMember<PluginParameters::ButtonAttachment> attachment,
                           const juce::String& parameterID,
                           DesignRect rect);

// A combo box filled before its attachment selects the parameter's item.
PanelControl comboRow (BasicComboBox& box,
                       std::function<void (juce::ComboBox&)> fill,
                       juce::LookAndFeel& look,
                       AttachmentMember<PluginParameters::ComboBoxAttachment> attachment,
                       const juce::String& parameterID,
                       DesignRect rect,
                       std::function<void()> onChange = {},
                       bool wheelSteps = false);

// Empties a box and gives it the texts as items 1, 2, ...
void fillItems (juce::ComboBox& box, const juce::StringArray& texts);

// Sets every row up and adds it to the panel, in table order.
void setUpControls (juce::Component& panel, const PanelControls& controls);

// Binds every row that has a parameter, in table order; each control takes its parameter's value.
void attachControls (const PanelControls& controls, PluginParameters& parameters, juce::AudioProcessorValueTreeState& state);

void placeControls (const PanelControls& controls, const ReferenceLayout& layout, const juce::Component& panel);

void releaseLooks (const PanelControls& controls);
