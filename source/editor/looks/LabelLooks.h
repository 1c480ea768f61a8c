#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Captions as one centred line whose font height follows the label's height; they differ only in
// that height and in where the text box sits. No background or outline is drawn, and the text
// stays drawn under the editor while the label is being edited.
class KnobLabelLookAndFeel : public juce::LookAndFeel_V4
{
public:
    ~KnobLabelLookAndFeel() override;
    void drawLabel (juce::Graphics& g, juce::Label& label) override;
};

class KnobSmLabelLookAndFeel : public juce::LookAndFeel_V4
{
public:
    ~KnobSmLabelLookAndFeel() override;
    void drawLabel (juce::Graphics& g, juce::Label& label) override;
};

class KnobLgLabelLookAndFeel : public juce::LookAndFeel_V4
{
public:
    ~KnobLgLabelLookAndFeel() override;
    void drawLabel (juce::Graphics& g, juce::Label& label) override;
};

class SliderLabelLookAndFeel : public juce::LookAndFeel_V4
{
public:
    ~SliderLabelLookAndFeel() override;
    void drawLabel (juce::Graphics& g, juce::Label& label) override;
};
