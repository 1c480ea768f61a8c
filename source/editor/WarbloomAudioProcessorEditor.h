#pragma once

#include "editor/controls/BasicButton.h"
#include "editor/looks/ButtonLooks.h"
#include "editor/panels/AboutPanel.h"
#include "editor/panels/EchoPanel.h"
#include "editor/panels/MasterPanel.h"
#include "editor/panels/PatchPanel.h"
#include "editor/panels/TonePanel.h"
#include "editor/ReferenceLayout.h"
#include "editor/SizeSettler.h"

#include <juce_audio_processors/juce_audio_processors.h>

class WarbloomAudioProcessor;

// The plug-in's window: the five panels, the background with the logo and title, and an invisible
// button over the title that opens the About overlay. It resizes between 1x and 2x its design size
// at a fixed ratio and keeps its last size in the preset manager, so the next editor and a restored
// host state open at that size.
class WarbloomAudioProcessorEditor : public juce::AudioProcessorEditor,
                                     public juce::Button::Listener
{
public:
    explicit WarbloomAudioProcessorEditor (WarbloomAudioProcessor& processor);
    ~WarbloomAudioProcessorEditor() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void parentSizeChanged() override;
    void buttonClicked (juce::Button* button) override;

    static constexpr int referenceWidth = 748;
    static constexpr int referenceHeight = 385;
    static constexpr ReferenceLayout layout { (float) referenceWidth, (float) referenceHeight };

private:
    juce::Image logoImage;
    juce::Image titleImage;
    juce::SharedResourcePointer<ButtonLookAndFeel> buttonLookAndFeel;
    juce::SharedResourcePointer<EmptyButtonLookAndFeel> emptyButtonLookAndFeel;
    // Named as JUCE's editor names its own reference to the processor, which it hides.
    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wshadow-field")
    WarbloomAudioProcessor* processor;
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE
    PatchPanel patchPanel;
    TonePanel tonePanel;
    EchoPanel echoPanel;
    MasterPanel masterPanel;
    AboutPanel aboutPanel;
    BasicButton aboutButton;
    SizeSettler sizeSettler { *this };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WarbloomAudioProcessorEditor)
};
