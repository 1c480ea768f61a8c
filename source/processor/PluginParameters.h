#pragma once

#include "ParameterListeners.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <atomic>
#include <memory>

// The parameter vocabulary (statics built from ParameterTable.def) and one instance's parameter
// data: the value fields the listeners keep current, the editor's control attachments, and the
// listeners themselves (rows of ValueFieldBindings.def).
class PluginParameters
{
public:
    explicit PluginParameters (juce::AudioProcessorValueTreeState& state);
    ~PluginParameters();

    static juce::AudioProcessorValueTreeState::ParameterLayout createParameterLayout();

    // Float parameters keep the value text of the host; no unit is appended.
    static juce::String valueToText (float value, int maximumStringLength);
    static float textToValue (const juce::String& text);

    void detachToneControls();
    void detachEchoControls();
    void detachMasterControls();

#define WARBLOOM_STATICS_Float(stem, defaultValue) \
    static const juce::String stem##ID;            \
    static const juce::String stem##Name;          \
    static const juce::String stem##ParamName;     \
    static const juce::String stem##Label;         \
    static constexpr float stem##Default = defaultValue;
#define WARBLOOM_STATICS_Steps(stem, defaultValue) \
    static const juce::String stem##ID;            \
    static const juce::String stem##Name;          \
    static const juce::String stem##ParamName;     \
    static const juce::String stem##Label;         \
    static constexpr int stem##Default = defaultValue;
#define WARBLOOM_STATICS_Bool(stem, defaultValue) \
    static const juce::String stem##ID;           \
    static const juce::String stem##Name;         \
    static const juce::String stem##ParamName;
#define WARBLOOM_STATICS_Int(stem, defaultValue) WARBLOOM_STATICS_Bool (stem, defaultValue)
#define WARBLOOM_PARAMETER(kind, stem, id, hostName, caption, style, start, end, interval, skew, defaultValue, unit) \
    WARBLOOM_STATICS_##kind (stem, defaultValue)
#include "ParameterTable.def"
#undef WARBLOOM_PARAMETER
#undef WARBLOOM_STATICS_Float
#undef WARBLOOM_STATICS_Steps
#undef WARBLOOM_STATICS_Bool
#undef WARBLOOM_STATICS_Int

    static constexpr int numNamedParameters = 65;
    static constexpr int numSpareParameters = 11;
    static constexpr int numParameters = numNamedParameters + numSpareParameters;

    // Value fields, in host order, holding each parameter converted for the signal path.
    std::atomic<float> bandSplitterValue { 200.0f };
    std::atomic<float> inputDriveGain { 1.0f };
    std::atomic<float> bassFreqValue { 68.0f };
    std::atomic<float> bassLevelValue { 0.0f };
    std::atomic<float> filterCutValue { 20000.0f };
    std::atomic<float> filterResValue { 0.0f };
    std::atomic<float> satCrunchValue { 0.0f };
    std::atomic<float> satMixValue { 0.0f };
    std::atomic<float> toneMixValue { 100.0f * 0.01f };
    std::atomic<bool> driveMixOn { true };
    std::atomic<bool> toneRandomizeOn { false };
    std::atomic<bool> tonePowerOn { true };
    std::atomic<int32_t> toneModLfoWaveIndex { 0 };
    std::atomic<int32_t> toneModLfoRateIndex { 9 };
    std::atomic<float> toneModLfoOffsetValue { 0.0f };
    std::atomic<bool> toneModLfoPowerOn { true };
    std::atomic<int32_t> toneModGateRateIndex { 8 };
    std::atomic<float> toneModGateLengthValue { 8.0f };
    std::atomic<int32_t> toneModGateTypeIndex { 0 };
    std::atomic<bool> toneModGatePowerOn { false };
    std::atomic<float> toneFilterModDepthValue { 0.0f };
    std::atomic<float> toneAmpModDepthValue { 0.0f };
    std::atomic<float> toneModWaveShiftValue { 0.25f };
    std::array<std::atomic<bool>, 8> toneModStepOn { { { true }, { true }, { true }, { true }, { true }, { true }, { true }, { true } } };
    std::atomic<bool> toneModRandomizeOn { false };
    std::atomic<int32_t> echoRate1Index { 7 };
    std::atomic<int32_t> echoRate2Index { 7 };
    std::atomic<bool> echoRateLinkOn { false };
    std::atomic<bool> echoPingPongModeOn { false };
    std::atomic<float> echoInputGain { 1.0f };
    std::atomic<float> echoSpreadValue { 0.0f };
    std::atomic<float> echoFeedbackValue { 30.0f * 0.01f };
    std::atomic<float> echoDampValue { 0.0f };
    std::atomic<float> echoMixValue { 30.0f * 0.01f };
    std::atomic<bool> echoRandomizeOn { false };
    std::atomic<bool> echoPowerOn { true };
    std::atomic<int32_t> echoModGateRateIndex { 8 };
    std::atomic<float> echoModGateLengthValue { 8.0f };
    std::atomic<float> echoInputModLevelValue { 0.0f };
    std::atomic<float> echoFeedModLevelValue { 0.0f };
    std::atomic<bool> echoModGatePowerOn { true };
    std::array<std::atomic<bool>, 8> echoModStepOn { { { true }, { true }, { true }, { true }, { true }, { true }, { true }, { true } } };
    std::atomic<bool> echoModRandomizeOn { false };
    std::atomic<float> outputGainLinear { 1.0f };
    std::atomic<float> modTotalValue { 100.0f };
    std::atomic<float> dryWetMixValue { 100.0f * 0.01f };
    std::atomic<float> freakoutValue { 0.0f };
    std::atomic<bool> freakoutLatchOn { false };
    std::atomic<int32_t> freakoutRateIndex { 6 };
    std::atomic<bool> freakoutEchoOn { true };
    std::atomic<bool> freakoutFilterOn { true };

    juce::AudioProcessorValueTreeState* apvts;

    // Control attachments: filled by a panel while it exists, empty otherwise.
    using SliderAttachment = juce::AudioProcessorValueTreeState::SliderAttachment;
    using ButtonAttachment = juce::AudioProcessorValueTreeState::ButtonAttachment;
    using ComboBoxAttachment = juce::AudioProcessorValueTreeState::ComboBoxAttachment;
#define WARBLOOM_BINDING(group, stem, listener, args, attachment) std::unique_ptr<attachment##Attachment> stem##Attachment;
#include "ValueFieldBindings.def"
#undef WARBLOOM_BINDING

#define WARBLOOM_BINDING(group, stem, listener, args, attachment) listener stem##Listener = listener args;
#include "ValueFieldBindings.def"
#undef WARBLOOM_BINDING

private:
    enum class Group
    {
        Tone,
        Echo,
        Master
    };

    void removeListeners (Group group);

    JUCE_DECLARE_NON_COPYABLE (PluginParameters)
};
