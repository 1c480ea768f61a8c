#include "LabeledKnob.h"

#include "editor/Theme.h"

#include <cmath>

LabeledKnob::LabeledKnob (const juce::String& nameToShow, BasicKnob& knobToShow)
    : knob (&knobToShow),
      name (nameToShow)
{
    addAndMakeVisible (knob);

    label.setText (name, juce::dontSendNotification);
    label.setColour (juce::Label::backgroundWhenEditingColourId, panelHeaderColour);
    label.setColour (juce::Label::textWhenEditingColourId, headerTextColour);
    label.setColour (juce::Label::outlineWhenEditingColourId, panelHeaderColour);
    label.setEditable (false, true, true);
    addAndMakeVisible (label);

    addMouseListener (&mouseListener, true);

    knob->onValueChange = [this]
    {
        if (! mouseOverKnob && ! mouseOverLabel)
            return;

        showValue();
        startTimer (restoreDelayMs);
    };

    // Blanks typed around the number are not part of it. A NaN never equals the slider's value,
    // so the slider would post its own update forever; infinities are clamped by the range like
    // any other value.
    label.onTextChange = [this]
    {
        if (const auto value = knob->getValueFromText (label.getText().trim()); ! std::isnan (value))
            knob->setValue (value, juce::sendNotificationAsync);
    };
}

LabeledKnob::~LabeledKnob()
{
    removeMouseListener (&mouseListener);

    // The knob belongs to the panel and may outlive this caption.
    knob->onValueChange = nullptr;
}

void LabeledKnob::resized()
{
    const auto h = getHeight();
    const auto labelHeight = juce::jmin (h, static_cast<int> (static_cast<float> (h) / 3.5f));

    label.setBounds (0, static_cast<int> (static_cast<float> (h) / 1.02f) - labelHeight, getWidth(), labelHeight);
    knob->setBounds (0, 0, getWidth(), h - labelHeight);
}

void LabeledKnob::updateLabel (const juce::MouseEvent& e)
{
    const auto position = e.getEventRelativeTo (this).getPosition();
    const auto knobBounds = knob->getBounds();

    // A square of the knob's smaller side less 10, centred, but reaching 10 pixels further down.
    const auto m = juce::jmin (knobBounds.getWidth(), knobBounds.getHeight());
    const auto side = m - 10;
    const auto left = knobBounds.getX() + (knobBounds.getWidth() - side) / 2;
    const auto top = knobBounds.getY() + (knobBounds.getHeight() - side) / 2;

    mouseOverKnob = left <= position.x && position.x < left + side && top <= position.y && position.y < top + m;
    mouseOverLabel = label.getBounds().contains (position);

    if (label.isBeingEdited())
        return;

    if (! mouseOverKnob && ! mouseOverLabel)
    {
        startTimer (restoreDelayMs);
        return;
    }

    showValue();
}

void LabeledKnob::showValue()
{
    label.setText (knob->getTextFromValue (knob->getValue()), juce::dontSendNotification);
}

void LabeledKnob::timerCallback()
{
    if (mouseOverKnob || mouseOverLabel || label.isBeingEdited())
        return;

    stopTimer();
    label.setText (name, juce::dontSendNotification);
}

LabeledKnob::LKMouseListener::LKMouseListener (LabeledKnob& ownerToNotify)
    : owner (ownerToNotify)
{
}

LabeledKnob::LKMouseListener::~LKMouseListener() = default;

void LabeledKnob::LKMouseListener::mouseMove (const juce::MouseEvent& e)
{
    owner.updateLabel (e);
}

void LabeledKnob::LKMouseListener::mouseEnter (const juce::MouseEvent& e)
{
    owner.updateLabel (e);
}

void LabeledKnob::LKMouseListener::mouseExit (const juce::MouseEvent&)
{
    owner.mouseOverKnob = false;
    owner.mouseOverLabel = false;
    owner.timerCallback();
}
