#pragma once

#include "processor/WarbloomAudioProcessor.h"
#include "support/ScriptedPresetDialogs.h"
#include "support/TemporaryFolder.h"

// A processor whose preset store lives in a temporary folder and whose user is scripted.
struct PresetTestProcessor
{
    PresetTestProcessor()
    {
        auto scripted = std::make_unique<ScriptedPresetDialogs>();
        dialogs = scripted.get();
        processor.presetManager = std::make_unique<PresetManager> (processor, temp.folder, std::move (scripted));
    }

    PresetManager& presets() { return *processor.presetManager; }

    juce::String path (const juce::String& relative) const { return temp.folder.getChildFile (relative).getFullPathName(); }

    juce::MemoryBlock stateBlock()
    {
        juce::MemoryBlock block;
        processor.getStateInformation (block);
        return block;
    }

    TemporaryFolder temp;
    WarbloomAudioProcessor processor;
    ScriptedPresetDialogs* dialogs = nullptr;
};
