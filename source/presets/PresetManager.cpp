#include "PresetManager.h"

#include "BoundedFileRead.h"
#include "PresetBrowser.h"
#include "processor/StateBlockSize.h"
#include "processor/WarbloomAudioProcessor.h"
#include "RegularFile.h"
#include "SafeFileWrite.h"
#include "SubPresetFile.h"
#include "SubPresets.h"

PresetManager::PresetManager (WarbloomAudioProcessor& owner)
    : PresetManager (owner, defaultRoot (owner.getName()))
{
}

PresetManager::PresetManager (WarbloomAudioProcessor& owner, const juce::File& root, std::unique_ptr<PresetDialogs> dialogsToUse)
    : rootPath (root.getFullPathName()),
      processor (&owner),
      dialogs (std::move (dialogsToUse))
{
    // Made now so the user has a folder to put presets into; a failure shows later as an empty
    // browser, and saving makes the folders it needs.
    if (! root.exists())
        root.createDirectory();
}

PresetManager::~PresetManager() = default;

juce::File PresetManager::defaultRoot (const juce::String& pluginName)
{
    if (const auto scratch = juce::SystemStats::getEnvironmentVariable ("WARBLOOM_PRESET_ROOT", {}); scratch.isNotEmpty())
        return juce::File::getCurrentWorkingDirectory().getChildFile (scratch);

    const auto inFolder = [&pluginName] (juce::File::SpecialLocationType location)
    { return juce::File (juce::File::getSpecialLocation (location).getFullPathName() + directorySeperator + pluginName); };

    return chooseRoot (inFolder (juce::File::commonDocumentsDirectory), inFolder (juce::File::userDocumentsDirectory));
}

juce::File PresetManager::chooseRoot (const juce::File& preferred, const juce::File& fallback)
{
    if (preferred.isDirectory())
        return preferred.hasWriteAccess() ? preferred : fallback;

    const auto parent = preferred.getParentDirectory();
    return ! preferred.exists() && parent.isDirectory() && parent.hasWriteAccess() ? preferred : fallback;
}

juce::String PresetManager::folderPath (const juce::String& folder) const
{
    return rootPath + directorySeperator + folder;
}

juce::String PresetManager::copyOf (const juce::String& field) const
{
    const juce::ScopedLock lock (textLock);
    return field;
}

void PresetManager::store (juce::String& field, const juce::String& value)
{
    const juce::ScopedLock lock (textLock);
    field = value;
}

void PresetManager::savePreset (juce::String* file)
{
    const auto previousPath = copyOf (*file);

    if (getFileFromMenu (file, "Save Preset", ".wbm", "Presets", "Preset") == 0)
        return;

    // The block names the file it is saved to; a save that fails leaves the current preset as it was.
    const juce::File target (copyOf (*file));
    juce::MemoryBlock block;
    processor->getStateInformation (block);

    if (replaceFileContents (target, block.getData(), block.getSize()))
        store (presetName, target.getFileNameWithoutExtension());
    else
        store (*file, previousPath);
}

void PresetManager::loadPreset (juce::String* file)
{
    if (getFileFromMenu (file, "Load Preset", ".wbm", "Presets", "Preset") == 0)
        return;

    loadPresetFile (copyOf (*file));
}

bool PresetManager::loadPresetFile (const juce::String& path)
{
    juce::MemoryBlock data;

    if (! isRegularFile (path) || ! readFileUpTo (path, maxStateBlockBytes, data))
        return false;

    store (presetName, juce::File (path).getFileNameWithoutExtension());
    processor->setStateInformation (data.getData(), (int) data.getSize());
    return true;
}

int PresetManager::getNextPrevFile (int direction, juce::String* file, juce::String title, juce::String ext, juce::String folder, juce::String)
{
    const auto menu = PresetBrowser::build (readFolderTree (folderPath (folder), ext, false), title, false, copyOf (*file));

    if (menu.fileCount == 0)
        return 0;

    if (menu.currentItemId < 0)
        return 1;

    // A step that would land on a block marker keeps the current file and loads nothing, so the
    // user's edits since the last load stay.
    const auto next = PresetBrowser::step (menu.paths, menu.currentItemId - 1, direction);

    if (next.isEmpty())
        return 0;

    store (*file, next);
    return 1;
}

int PresetManager::getFileFromMenu (juce::String* file, juce::String title, juce::String ext, juce::String folder, juce::String kindWord)
{
    const auto saveMode = PresetBrowser::isSaveTitle (title);
    const auto current = copyOf (*file);
    auto menu = PresetBrowser::build (readFolderTree (folderPath (folder), ext, saveMode), title, saveMode, current);

    if (menu.fileCount == 0 && ! saveMode)
        return 0;

    const auto chosen = dialogs->showMenu (menu.root, menu.visibleItemId);

    if (chosen <= 0)
        return 0;

    if (chosen >= PresetBrowser::firstSaveAsId)
    {
        juce::String name;

        if (getUserText ("Save As", "Enter New " + kindWord + " Name", kindWord + " Name: ", juce::File (current).getFileNameWithoutExtension(), &name) == 0 || ! PresetBrowser::isUsableName (name))
            return 0;

        const auto dir = menu.paths[chosen - PresetBrowser::saveAsIdBase];

        if (dir.isEmpty())
            return 0;

        const auto path = dir + directorySeperator + name + ext;

        if (juce::File (path).exists() && getUserYesNo ("Overwrite " + name + " ?") == 0)
            return 0;

        store (*file, path);
        return 1;
    }

    if (chosen >= PresetBrowser::firstNewFolderId)
    {
        juce::String name;

        if (getUserText ("NEW FOLDER", "Enter New Folder Name", "Folder Name: ", "", &name) == 0 || ! PresetBrowser::isUsableName (name))
            return 0;

        const auto dir = menu.paths[chosen - PresetBrowser::newFolderIdBase];

        if (dir.isEmpty())
            return 0;

        juce::File (dir + directorySeperator + name).createDirectory();
        return getFileFromMenu (file, title, ext, folder, kindWord);
    }

    const auto path = menu.paths[chosen - 1];

    if (path.isEmpty())
        return 0;

    if (saveMode && getUserYesNo ("Overwrite " + juce::File (path).getFileNameWithoutExtension() + " ?") == 0)
        return 0;

    store (*file, path);
    return 1;
}

int PresetManager::getUserText (juce::String title, juce::String message, juce::String label, juce::String initial, juce::String* out)
{
    juce::String text;

    if (dialogs->askText (title, message, label, initial, text) == 0 || text.isEmpty())
        return 0;

    *out = text;
    return 1;
}

int PresetManager::getUserYesNo (juce::String question)
{
    return dialogs->askYesNo (question) != 0 ? 1 : 0;
}

void PresetManager::saveSubPreset (int index)
{
    const auto& group = SubPresets[index];
    auto& path = subPresetPaths[(size_t) index];
    const auto previousPath = copyOf (path);

    if (getFileFromMenu (&path, "Save " + juce::String (group.title), group.extension, group.folder, "Sub-Preset") == 0)
        return;

    const auto data = SubPresetFile::write (group, *processor);

    if (! replaceFileContents (juce::File (copyOf (path)), data.getData(), data.getSize()))
        store (path, previousPath);
}

void PresetManager::loadSubPreset (int index)
{
    const auto& group = SubPresets[index];

    if (getFileFromMenu (&subPresetPaths[(size_t) index], "Load " + juce::String (group.title), group.extension, group.folder, "Sub-Preset") == 0)
        return;

    const auto path = copyOf (subPresetPaths[(size_t) index]);

    juce::MemoryBlock data;

    if (! isRegularFile (path) || ! readFileUpTo (path, SubPresetFile::maxFileBytes, data))
        return;

    juce::MemoryInputStream in (data, false);
    SubPresetFile::read (in, group, *processor);
}
