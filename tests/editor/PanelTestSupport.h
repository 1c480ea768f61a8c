#pragma once

#include "editor/controls/BasicButton.h"
#include "editor/controls/BasicComboBox.h"
#include "editor/controls/BasicSlider.h"
#include "editor/controls/LabeledKnob.h"
#include "processor/WarbloomAudioProcessor.h"

#include <gtest/gtest.h>

#include <vector>

// Helpers for driving the tone and echo panels the way the host and the user do.
namespace panel_test
{
// Runs the message loop for a while, delivering the asynchronous notifications already posted.
inline void deliverPendingMessages()
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (30);
}

inline juce::RangedAudioParameter& parameter (WarbloomAudioProcessor& processor, const juce::String& id)
{
    auto* found = processor.apvts.getParameter (id);
    if (found == nullptr)
        throw std::runtime_error (id.toStdString());
    return *found;
}

// Sets a parameter in its own units, as host automation does.
inline void setFromHost (WarbloomAudioProcessor& processor, const juce::String& id, float value)
{
    auto& p = parameter (processor, id);
    p.setValueNotifyingHost (p.convertTo0to1 (value));
}

inline float valueOf (WarbloomAudioProcessor& processor, const juce::String& id)
{
    return processor.apvts.getRawParameterValue (id)->load();
}

template <typename Control>
Control& child (juce::Component& panel, int index)
{
    auto* control = dynamic_cast<Control*> (panel.getChildComponent (index));
    if (control == nullptr)
        throw std::runtime_error ("unexpected child " + std::to_string (index));
    return *control;
}

// Turns the mouse wheel one notch down over the box; returns how far its selection moved.
inline int wheelNotchDown (juce::ComboBox& box)
{
    const auto now = juce::Time::getCurrentTime();
    const juce::MouseEvent event (juce::Desktop::getInstance().getMainMouseSource(), {}, {}, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, &box, &box, now, {}, now, 0, false);
    juce::MouseWheelDetails wheel {};
    wheel.deltaY = -0.25f;
    const auto before = box.getSelectedItemIndex();
    box.mouseWheelMove (event, wheel);
    return box.getSelectedItemIndex() - before;
}

struct ExpectedChild
{
    const char* what;
    juce::Rectangle<int> bounds;
    const juce::String* parameterID = nullptr;
};

// Every child of the panel, in the order it was added, at the panel's current size.
inline void expectChildBounds (juce::Component& panel, const std::vector<ExpectedChild>& expected, int scale)
{
    ASSERT_EQ (panel.getNumChildComponents(), (int) expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
    {
        const auto& e = expected[i];
        const juce::Rectangle<int> scaled { e.bounds.getX() * scale, e.bounds.getY() * scale, e.bounds.getWidth() * scale, e.bounds.getHeight() * scale };
        EXPECT_EQ (panel.getChildComponent ((int) i)->getBounds(), scaled) << e.what << " at scale " << scale;
    }
}
// Every bound control shows its parameter's current value.
inline void expectControlsShowParameters (juce::Component& panel, const std::vector<ExpectedChild>& expected, WarbloomAudioProcessor& processor)
{
    for (size_t i = 0; i < expected.size(); ++i)
    {
        const auto& e = expected[i];
        if (e.parameterID == nullptr)
            continue;

        const auto value = valueOf (processor, *e.parameterID);
        auto* component = panel.getChildComponent ((int) i);
        if (auto* labeled = dynamic_cast<LabeledKnob*> (component))
            EXPECT_NEAR (labeled->knob->getValue(), value, 1.0e-3 * (1.0 + std::abs (value))) << e.what;
        else if (auto* slider = dynamic_cast<BasicSlider*> (component))
            EXPECT_NEAR (slider->getValue(), value, 1.0e-6) << e.what;
        else if (auto* box = dynamic_cast<BasicComboBox*> (component))
            EXPECT_EQ (box->getSelectedItemIndex(), (int) value) << e.what;
        else if (auto* button = dynamic_cast<BasicButton*> (component))
            EXPECT_EQ (button->getToggleState(), value >= 0.5f) << e.what;
        else
            ADD_FAILURE() << e.what << " is not a control";
    }
}

// Gives every bound parameter of the table a value of its range other than its current one,
// leaving out the randomise switches.
inline void moveParameters (WarbloomAudioProcessor& processor, const std::vector<ExpectedChild>& expected, juce::Random& random)
{
    for (const auto& e : expected)
    {
        if (e.parameterID == nullptr || e.parameterID->contains ("Randomize"))
            continue;
        auto& p = parameter (processor, *e.parameterID);
        const auto current = p.getValue();
        auto next = current;
        while (p.convertFrom0to1 (next) == p.convertFrom0to1 (current))
            next = random.nextFloat();
        p.setValueNotifyingHost (next);
    }
}

// How many attachment members of a panel group still hold an attachment.
inline int heldAttachments (PluginParameters& parameters, const char* group)
{
    int held = 0;
#define WARBLOOM_BINDING(bindingGroup, stem, listener, args, attachment)                 \
    if (juce::String (#bindingGroup) == group && parameters.stem##Attachment != nullptr) \
        ++held;
#include "processor/ValueFieldBindings.def"
#undef WARBLOOM_BINDING
    return held;
}
} // namespace panel_test
