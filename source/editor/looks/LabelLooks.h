#pragma once

#include "ThemedLookAndFeel.h"

// Captions as one centred line whose font height follows the label's height; they differ only in
// that height and in where the text box sits. No background or outline is drawn, and the text
// stays drawn under the editor while the label is being edited.
class KnobLabelLookAndFeel : public ThemedLookAndFeel
{
public:
    ~KnobLabelLookAndFeel() override;
    void drawLabel (juce::Graphics& g, juce::Label& label) override;
};

class KnobSmLabelLookAndFeel : public ThemedLookAndFeel
{
public:
    ~KnobSmLabelLookAndFeel() override;
    void drawLabel (juce::Graphics& g, juce::Label& label) override;
};

class KnobLgLabelLookAndFeel : public ThemedLookAndFeel
{
public:
    ~KnobLgLabelLookAndFeel() override;
    void drawLabel (juce::Graphics& g, juce::Label& label) override;
};

class SliderLabelLookAndFeel : public ThemedLookAndFeel
{
public:
    ~SliderLabelLookAndFeel() override;
    void drawLabel (juce::Graphics& g, juce::Label& label) override;
};
