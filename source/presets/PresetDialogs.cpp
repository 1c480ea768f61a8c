#include "PresetDialogs.h"

int JucePresetDialogs::showMenu (juce::PopupMenu& menu, int visibleItemId)
{
    return menu.show (visibleItemId, 0, 1, 0);
}

int JucePresetDialogs::askText (const juce::String& title, const juce::String& message, const juce::String& label, const juce::String& initial, juce::String& text)
{
    juce::AlertWindow window (title, message, juce::MessageBoxIconType::NoIcon, nullptr);
    window.addTextEditor ("UText", initial, label, false);
    window.addButton ("Confirm", 1);
    window.addButton ("Cancel", 0);

    const auto result = window.runModalLoop();

    if (result != 0)
        text = window.getTextEditorContents ("UText");

    return result;
}

int JucePresetDialogs::askYesNo (const juce::String& question)
{
    juce::AlertWindow window (question, {}, juce::MessageBoxIconType::NoIcon, nullptr);
    window.addButton ("No", 0);
    window.addButton ("Yes", 1);
    return window.runModalLoop();
}
