#include "PatchPanel.h"

#include "presets/PresetManager.h"
#include "processor/WarbloomAudioProcessor.h"

PatchPanel::PatchPanel (WarbloomAudioProcessor* p)
    : processor (p)
{
    setBounds (getX(), getY(), 520, 41);

    presetNameButton.addListener (this);
    presetNameButton.setLookAndFeel (&buttonLookAndFeel.get());
    showPresetName();
    addAndMakeVisible (presetNameButton);

    saveButton.setButtonText ("SAVE");
    saveButton.addListener (this);
    saveButton.setLookAndFeel (&buttonLookAndFeel.get());
    addAndMakeVisible (saveButton);

    previousButton.onClick = [this]
    { step (-1); };
    addAndMakeVisible (previousButton);

    nextButton.onClick = [this]
    { step (1); };
    addAndMakeVisible (nextButton);
}

PatchPanel::~PatchPanel()
{
    presetNameButton.setLookAndFeel (nullptr);
    saveButton.setLookAndFeel (nullptr);
}

PresetManager& PatchPanel::presets() const
{
    return *processor->presetManager;
}

void PatchPanel::showPresetName()
{
    const auto name = presets().copyOf (presets().presetName);

    if (presetNameButton.getButtonText() != name)
        presetNameButton.setButtonText (name);
}

void PatchPanel::buttonClicked (juce::Button* button)
{
    auto& manager = presets();

    if (button == &presetNameButton)
        manager.loadPreset (&manager.presetPath);
    else if (button == &saveButton)
        manager.savePreset (&manager.presetPath);
    else
        return;

    showPresetName();
}

void PatchPanel::step (int direction)
{
    auto& manager = presets();

    if (manager.getNextPrevFile (direction, &manager.presetPath, "Load Preset", ".wbm", "Presets", "Preset") == 0)
        return;

    // The name follows on the next paint, which the arrow's own repaint brings.
    manager.loadPresetFile (manager.copyOf (manager.presetPath));
}

void PatchPanel::paint (juce::Graphics&)
{
    // The name can change behind the panel (a step, a restored host state), so each paint catches up.
    showPresetName();
}

void PatchPanel::resized()
{
    previousButton.setBounds (layout.bounds ({ 5, 13, 18, 18 }, *this));
    nextButton.setBounds (layout.bounds ({ 25, 13, 18, 18 }, *this));
    presetNameButton.setBounds (layout.bounds ({ 44, 11, 403, 20 }, *this));
    saveButton.setBounds (layout.bounds ({ 460, 13, 47, 19 }, *this));
}
