#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A combo box that paints its own flat face and text. Its internal label is never sized, so the
// text the user sees is the one paint() draws; the popup menu comes from the look-and-feel.
class BasicComboBox : public juce::ComboBox
{
public:
    BasicComboBox();
    ~BasicComboBox() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BasicComboBox)
};
