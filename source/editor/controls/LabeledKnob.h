#pragma once

#include "BasicKnob.h"

// A caption under a knob. The caption shows the knob's value while the mouse is over the knob or
// the caption, returns to the name when the mouse leaves (or 3 s after it rests elsewhere), and
// takes a typed value on a double click.
class LabeledKnob : public juce::Component,
                    private juce::Timer
{
public:
    LabeledKnob (const juce::String& name, BasicKnob& knob);
    ~LabeledKnob() override;

    void resized() override;

    void updateLabel (const juce::MouseEvent& e);

    // True while the caption waits to return to the name.
    bool isWaitingToRestoreName() const { return isTimerRunning(); }

    static constexpr int restoreDelayMs = 3000;

    BasicKnob* knob;
    juce::Label label;
    juce::String name;
    bool mouseOverKnob = false;
    bool mouseOverLabel = false;

    class LKMouseListener : public juce::MouseListener
    {
    public:
        explicit LKMouseListener (LabeledKnob& owner);
        ~LKMouseListener() override;

        void mouseMove (const juce::MouseEvent& e) override;
        void mouseEnter (const juce::MouseEvent& e) override;
        void mouseExit (const juce::MouseEvent& e) override;

    private:
        LabeledKnob& owner;
    };

    LKMouseListener mouseListener { *this };

private:
    void timerCallback() override;
    void showValue();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LabeledKnob)
};
