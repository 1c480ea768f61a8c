#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The three modal interactions of the preset browser, behind one seam so that tests can script
// the user's answers. Each call blocks until the user has answered.
class PresetDialogs
{
public:
    virtual ~PresetDialogs() = default;

    // Shows the menu and returns the chosen item id, 0 when dismissed.
    virtual int showMenu (juce::PopupMenu& menu, int visibleItemId) = 0;

    // Returns the dialog's result (1 confirm, 0 cancel) and, on confirm, the text typed.
    virtual int askText (const juce::String& title, const juce::String& message, const juce::String& label, const juce::String& initial, juce::String& text) = 0;

    // Returns 1 for Yes, 0 for No or a dismissed dialog.
    virtual int askYesNo (const juce::String& question) = 0;
};

// The real popup menu and alert windows.
class JucePresetDialogs : public PresetDialogs
{
public:
    int showMenu (juce::PopupMenu& menu, int visibleItemId) override;
    int askText (const juce::String& title, const juce::String& message, const juce::String& label, const juce::String& initial, juce::String& text) override;
    int askYesNo (const juce::String& question) override;
};
