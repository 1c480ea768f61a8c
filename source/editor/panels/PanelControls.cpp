#include "PanelControls.h"

#include "editor/controls/BasicButton.h"
#include "editor/controls/BasicComboBox.h"
#include "editor/controls/BasicKnob.h"
#include "editor/controls/BasicSlider.h"
#include "editor/controls/LabeledKnob.h"
#include "editor/Randomiser.h"
#include "presets/PresetManager.h"
#include "processor/WarbloomAudioProcessor.h"

namespace
{
template <typename Attachment, typename Control>
std::function<void (PluginParameters&, juce::AudioProcessorValueTreeState&)> binding (AttachmentMember<Attachment> member,
                                                                                      const juce::String& parameterID,
                                                                                      Control& control)
{
    return [member, parameterID, &control] (PluginParameters& parameters, juce::AudioProcessorValueTreeState& state)
    {
        // reset() puts the new attachment in place before it deletes one the member still held.
        (parameters.*member).reset (new Attachment (state, parameterID, control));
    };
}

// JUCE's slider attachment switches on a double-click reset that an alt-click also triggers, so
// the slider's own reset is set again once the attachment exists: a double click only.
std::function<void (PluginParameters&, juce::AudioProcessorValueTreeState&)> sliderBinding (AttachmentMember<PluginParameters::SliderAttachment> member,
                                                                                            const juce::String& parameterID,
                                                                                            juce::Slider& slider,
                                                                                            double doubleClickValue)
{
    return [attach = binding (member, parameterID, slider), &slider, doubleClickValue] (PluginParameters& parameters, juce::AudioProcessorValueTreeState& state)
    {
        attach (parameters, state);
        slider.setDoubleClickReturnValue (true, doubleClickValue, juce::ModifierKeys());
    };
}

void setUpButton (juce::Button& button, const char* text, bool toggles, juce::LookAndFeel& look, std::function<void()> onClick)
{
    button.setButtonText (juce::translate (text));
    button.setClickingTogglesState (toggles);
    button.onClick = std::move (onClick);
    button.setLookAndFeel (&look);
}

std::function<void()> releaseLookOf (juce::Component& component)
{
    return [&component]
    { component.setLookAndFeel (nullptr); };
}

// A push button with an action of its own.
PanelControl actionRow (BasicButton& button, const char* text, juce::LookAndFeel& look, std::function<void()> onClick, DesignRect rect)
{
    return { button,
             rect,
             [&, text, onClick]
             { setUpButton (button, text, false, look, onClick); },
             {},
             releaseLookOf (button) };
}
} // namespace

PanelControl knobRow (BasicKnob& knob,
                      LabeledKnob& labeledKnob,
                      double doubleClickValue,
                      juce::LookAndFeel& knobLook,
                      juce::LookAndFeel& labelLook,
                      AttachmentMember<PluginParameters::SliderAttachment> attachment,
                      const juce::String& parameterID,
                      DesignRect rect)
{
    return { labeledKnob,
             rect,
             [&]
             {
                 knob.setLookAndFeel (&knobLook);
                 labeledKnob.setLookAndFeel (&labelLook);
             },
             sliderBinding (attachment, parameterID, knob, doubleClickValue),
             [&]
             {
                 knob.setLookAndFeel (nullptr);
                 labeledKnob.setLookAndFeel (nullptr);
             } };
}

PanelControl sliderRow (BasicSlider& slider,
                        double doubleClickValue,
                        juce::LookAndFeel& look,
                        AttachmentMember<PluginParameters::SliderAttachment> attachment,
                        const juce::String& parameterID,
                        DesignRect rect)
{
    return { slider,
             rect,
             [&]
             { slider.setLookAndFeel (&look); },
             sliderBinding (attachment, parameterID, slider, doubleClickValue),
             releaseLookOf (slider) };
}

PanelControl switchRow (BasicButton& button,
                        const char* text,
                        juce::LookAndFeel& look,
                        AttachmentMember<PluginParameters::ButtonAttachment> attachment,
                        const juce::String& parameterID,
                        DesignRect rect,
                        std::function<void()> onClick)
{
    return { button,
             rect,
             [&, text, onClick]
             { setUpButton (button, text, true, look, onClick); },
             binding (attachment, parameterID, button),
             releaseLookOf (button) };
}

PanelControl loadRow (BasicButton& button, juce::LookAndFeel& look, WarbloomAudioProcessor& processor, int group, DesignRect rect)
{
    return actionRow (
        button, "LOAD", look, [&processor, group]
        { processor.presetManager->loadSubPreset (group); },
        rect);
}

PanelControl saveRow (BasicButton& button, juce::LookAndFeel& look, WarbloomAudioProcessor& processor, int group, DesignRect rect)
{
    return actionRow (
        button, "SAVE", look, [&processor, group]
        { processor.presetManager->saveSubPreset (group); },
        rect);
}

PanelControl randomiseRow (BasicButton& button,
                           juce::LookAndFeel& look,
                           WarbloomAudioProcessor& processor,
                           int group,
                           AttachmentMember<PluginParameters::ButtonAttachment> attachment,
                           const juce::String& parameterID,
                           DesignRect rect)
{
    auto row = actionRow (
        button, "!?!", look, [&processor, group]
        { randomizeSubPreset (processor, group); },
        rect);
    row.attach = binding (attachment, parameterID, button);
    return row;
}

PanelControl comboRow (BasicComboBox& box,
                       std::function<void (juce::ComboBox&)> fill,
                       juce::LookAndFeel& look,
                       AttachmentMember<PluginParameters::ComboBoxAttachment> attachment,
                       const juce::String& parameterID,
                       DesignRect rect,
                       std::function<void()> onChange,
                       bool wheelSteps)
{
    return { box,
             rect,
             [&, fill, onChange, wheelSteps]
             {
                 box.setJustificationType (juce::Justification::centred);
                 fill (box);
                 if (wheelSteps)
                     box.setScrollWheelEnabled (true);
                 box.setLookAndFeel (&look);
                 box.onChange = onChange;
             },
             binding (attachment, parameterID, box),
             releaseLookOf (box) };
}

void fillItems (juce::ComboBox& box, const juce::StringArray& texts)
{
    box.clear (juce::dontSendNotification);
    for (int i = 0; i < texts.size(); ++i)
        box.addItem (texts[i], i + 1);
}

void setUpControls (juce::Component& panel, const PanelControls& controls)
{
    for (const auto& control : controls)
    {
        control.setUp();
        panel.addAndMakeVisible (control.placed);
    }
}

void attachControls (const PanelControls& controls, PluginParameters& parameters, juce::AudioProcessorValueTreeState& state)
{
    for (const auto& control : controls)
        if (control.attach)
            control.attach (parameters, state);
}

void placeControls (const PanelControls& controls, const ReferenceLayout& layout, const juce::Component& panel)
{
    for (const auto& control : controls)
        control.placed.setBounds (layout.bounds (control.rect, panel));
}

void releaseLooks (const PanelControls& controls)
{
    for (const auto& control : controls)
        control.releaseLooks();
}
