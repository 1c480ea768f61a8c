#pragma once

#include "editor/controls/BasicButton.h"
#include "editor/looks/ButtonLooks.h"
#include "editor/ReferenceLayout.h"

class WarbloomAudioProcessor;
class PresetManager;

// The preset bar: the current preset's name on a button that opens the load menu, SAVE for the
// save menu, and arrows that load the previous or next preset of the current folder. The file work
// is the preset manager's; the panel shows its presetName. Message thread only.
class PatchPanel : public juce::Component,
                   public juce::Button::Listener
{
public:
    explicit PatchPanel (WarbloomAudioProcessor* processor);
    ~PatchPanel() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void buttonClicked (juce::Button* button) override;

    static constexpr ReferenceLayout layout { 520.0f, 41.0f };

private:
    WarbloomAudioProcessor* processor;
    juce::SharedResourcePointer<ButtonLookAndFeel> buttonLookAndFeel;

    BasicButton presetNameButton;
    BasicButton saveButton;
    juce::ArrowButton previousButton { {}, 0.5f, juce::Colours::black };
    juce::ArrowButton nextButton { {}, 0.0f, juce::Colours::black };

    PresetManager& presets() const;
    void step (int direction);
    void showPresetName();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PatchPanel)
};
