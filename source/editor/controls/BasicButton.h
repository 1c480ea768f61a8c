#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The editor's text button; its face comes entirely from the look-and-feel it is given.
class BasicButton : public juce::TextButton
{
public:
    BasicButton();
    ~BasicButton() override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BasicButton)
};
