#pragma once

#include "PresetDialogs.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <atomic>
#include <memory>

class WarbloomAudioProcessor;

// The preset store of one plug-in instance: the root folder with its "Presets" and "SubPresets"
// folders, the current preset, the last sub-preset file of each group, and the editor size and
// text values that travel in the host state block. Browser and file operations run on the
// message thread.
class PresetManager
{
public:
    // Both make the root folder when it is missing; the first uses the default root.
    explicit PresetManager (WarbloomAudioProcessor& owner);
    PresetManager (WarbloomAudioProcessor& owner, const juce::File& root, std::unique_ptr<PresetDialogs> dialogs = std::make_unique<JucePresetDialogs>());
    ~PresetManager();

    // The common documents folder + "/Warbloom" when it exists or can be made and written,
    // otherwise the user's documents folder + "/Warbloom". Tests and tools name a scratch folder
    // in WARBLOOM_PRESET_ROOT instead, so they never touch the user's folders.
    static juce::File defaultRoot (const juce::String& pluginName);

    // preferred when it is a writable folder or can be made as one, else fallback.
    static juce::File chooseRoot (const juce::File& preferred, const juce::File& fallback);

    void savePreset (juce::String* file);
    void loadPreset (juce::String* file);

    // Steps *file to the next (direction >= 0) or previous preset of its folder. Returns 0 when
    // the folder tree holds no matching file at all or the step finds no file (from a name of 1 to
    // 3 characters at the end of its folder), else 1 (*file unchanged when it is not in the tree).
    int getNextPrevFile (int direction, juce::String* file, juce::String title, juce::String ext, juce::String folder, juce::String kindWord);

    // Reads the preset file at path into the processor; false when it cannot be read.
    bool loadPresetFile (const juce::String& path);

    void saveSubPreset (int index);
    void loadSubPreset (int index);

    // Shows the browser for rootPath/folder. Returns 1 and sets *file to the chosen path, or 0.
    int getFileFromMenu (juce::String* file, juce::String title, juce::String ext, juce::String folder, juce::String kindWord);

    // Returns 1 and sets *out when the user confirmed a non-empty text, else 0.
    int getUserText (juce::String title, juce::String message, juce::String label, juce::String initial, juce::String* out);

    // Returns 1 for Yes, 0 for No or a dismissed dialog.
    int getUserYesNo (juce::String question);

    // Written by the editor on the message thread and by the state block on the host's thread.
    std::atomic<int> savedEditorWidth { 0 };
    std::atomic<int> savedEditorHeight { 0 };
    std::atomic<int> editorWidth { 0 };
    std::atomic<int> editorHeight { 0 };
    std::atomic<int> resizeEditorOnLoad { -1 };

    // A host may restore its state on a thread of its own while the editor reads these, so
    // outside the state block every access goes through copyOf and store, and the state block
    // holds textLock while it reads or writes them.
    std::array<juce::String, 20> textEntries;
    std::array<juce::String, 20> subPresetPaths;
    juce::String presetPath;
    juce::String presetName { "Untitled" };
    juce::String rootPath;

    juce::String copyOf (const juce::String& field) const;
    void store (juce::String& field, const juce::String& value);

    juce::CriticalSection textLock;

    WarbloomAudioProcessor* processor;

private:
    juce::String folderPath (const juce::String& folder) const;

    std::unique_ptr<PresetDialogs> dialogs;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PresetManager)
};
