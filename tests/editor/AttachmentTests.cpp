#include "editor/controls/BasicButton.h"
#include "editor/controls/BasicComboBox.h"
#include "editor/controls/BasicKnob.h"
#include "processor/WarbloomAudioProcessor.h"

#include <gtest/gtest.h>

namespace
{
enum class Group
{
    Tone,
    Echo,
    Master
};

// Stands in for a panel: builds one real control per binding of its group and fills the
// group's attachment members, as the panels do.
struct PanelStandIn
{
    PanelStandIn (PluginParameters& p, Group groupToBind)
        : parameters (p), group (groupToBind)
    {
#define WARBLOOM_BINDING(rowGroup, stem, listener, args, attachment) \
    if (group == Group::rowGroup)                                    \
        attach (parameters.stem##Attachment, PluginParameters::stem##ID);
#include "processor/ValueFieldBindings.def"
#undef WARBLOOM_BINDING
    }

    void attach (std::unique_ptr<PluginParameters::SliderAttachment>& member, const juce::String& id)
    {
        auto& knob = add<BasicKnob> (0.0f, 1.0f, "");
        member = std::make_unique<PluginParameters::SliderAttachment> (*parameters.apvts, id, knob);
    }

    void attach (std::unique_ptr<PluginParameters::ButtonAttachment>& member, const juce::String& id)
    {
        member = std::make_unique<PluginParameters::ButtonAttachment> (*parameters.apvts, id, add<BasicButton>());
    }

    void attach (std::unique_ptr<PluginParameters::ComboBoxAttachment>& member, const juce::String& id)
    {
        auto& box = add<BasicComboBox>();
        // One item per choice, as the rate lists give: the attachment maps choices onto items.
        const auto choices = parameters.apvts->getParameter (id)->getNumSteps();
        for (int itemId = 1; itemId <= choices; ++itemId)
            box.addItem (juce::String (itemId), itemId);
        member = std::make_unique<PluginParameters::ComboBoxAttachment> (*parameters.apvts, id, box);
    }

    template <typename Control, typename... Args>
    Control& add (Args&&... args)
    {
        auto control = std::make_unique<Control> (std::forward<Args> (args)...);
        auto& added = *control;
        controls.push_back (std::move (control));
        return added;
    }

    PluginParameters& parameters;
    Group group;
    std::vector<std::unique_ptr<juce::Component>> controls;
};

// Which attachment members are filled, group by group.
std::array<int, 3> filledMembers (const PluginParameters& p)
{
    std::array<int, 3> filled {};
#define WARBLOOM_BINDING(rowGroup, stem, listener, args, attachment) \
    filled[static_cast<size_t> (Group::rowGroup)] += p.stem##Attachment != nullptr ? 1 : 0;
#include "processor/ValueFieldBindings.def"
#undef WARBLOOM_BINDING
    return filled;
}

void setInOwnUnits (juce::AudioProcessorValueTreeState& state, const juce::String& id, float value)
{
    auto* parameter = state.getParameter (id);
    parameter->setValueNotifyingHost (parameter->convertTo0to1 (value));
}

TEST (Attachments, MembersAreFilledOnlyWhileTheirPanelLives)
{
    WarbloomAudioProcessor processor;
    auto& p = processor.pluginParameters;
    EXPECT_EQ (filledMembers (p), (std::array<int, 3> { 0, 0, 0 }));

    {
        PanelStandIn tone (p, Group::Tone);
        EXPECT_EQ (filledMembers (p), (std::array<int, 3> { 32, 0, 0 }));
        PanelStandIn echo (p, Group::Echo);
        PanelStandIn master (p, Group::Master);
        EXPECT_EQ (filledMembers (p), (std::array<int, 3> { 32, 25, 8 }));

        // The tone panel's bass knob drives its parameter and value field.
        auto& bassFreqKnob = dynamic_cast<BasicKnob&> (*tone.controls[2]);
        auto* bassFreq = processor.apvts.getParameter (PluginParameters::bassFreqID);
        bassFreqKnob.setValue (bassFreqKnob.proportionOfLengthToValue (0.5), juce::sendNotificationSync);
        EXPECT_NEAR (p.bassFreqValue.load(), bassFreqKnob.getValue(), 0.01);
        const auto attachedValue = bassFreq->getValue();

        p.detachToneControls();
        EXPECT_EQ (filledMembers (p), (std::array<int, 3> { 0, 25, 8 }));
        bassFreqKnob.setValue (bassFreqKnob.proportionOfLengthToValue (0.9), juce::sendNotificationSync);
        EXPECT_EQ (bassFreq->getValue(), attachedValue);

        p.detachEchoControls();
        p.detachMasterControls();
    }

    EXPECT_EQ (filledMembers (p), (std::array<int, 3> { 0, 0, 0 }));

    // With every member empty, host automation still reaches the value fields.
    setInOwnUnits (processor.apvts, PluginParameters::echoMixID, 50.0f);
    setInOwnUnits (processor.apvts, PluginParameters::outputGainID, -100.0f);
    setInOwnUnits (processor.apvts, PluginParameters::freakoutRateID, 3.0f);
    EXPECT_FLOAT_EQ (p.echoMixValue.load(), 0.5f);
    EXPECT_EQ (p.outputGainLinear.load(), 0.0f);
    EXPECT_EQ (p.freakoutRateIndex.load(), 3);
}

TEST (Attachments, ReattachedControlsShowValuesChangedMeanwhile)
{
    WarbloomAudioProcessor processor;
    auto& p = processor.pluginParameters;

    {
        PanelStandIn master (p, Group::Master);
        p.detachMasterControls();
    }

    setInOwnUnits (processor.apvts, PluginParameters::freakoutRateID, 12.0f);
    PanelStandIn master (p, Group::Master);
    EXPECT_EQ (dynamic_cast<juce::ComboBox&> (*master.controls[5]).getSelectedId(), 13);
    p.detachMasterControls();
}

// A parameter object destroyed while panels still hold controls lets go of every control, group
// by group, before its listeners leave the parameter state.
TEST (Attachments, DestructorDetachesEveryGroup)
{
    WarbloomAudioProcessor processor;
    auto parameters = std::make_unique<PluginParameters> (processor.apvts);

    PanelStandIn tone (*parameters, Group::Tone);
    PanelStandIn echo (*parameters, Group::Echo);
    PanelStandIn master (*parameters, Group::Master);
    auto& bassFreqKnob = dynamic_cast<BasicKnob&> (*tone.controls[2]);
    auto& echoPowerButton = dynamic_cast<juce::Button&> (*echo.controls[10]);
    const auto knobValue = bassFreqKnob.getValue();

    parameters.reset();

    processor.apvts.getParameter (PluginParameters::bassFreqID)->setValueNotifyingHost (0.95f);
    processor.apvts.getParameter (PluginParameters::echoPowerID)->setValueNotifyingHost (0.0f);
    juce::MessageManager::getInstance()->runDispatchLoopUntil (50);
    EXPECT_EQ (bassFreqKnob.getValue(), knobValue);
    EXPECT_TRUE (echoPowerButton.getToggleState());

    // The processor's own parameter object still follows the host.
    EXPECT_FALSE (processor.pluginParameters.echoPowerOn.load());
}
} // namespace
