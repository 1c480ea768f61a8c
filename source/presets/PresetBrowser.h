#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <vector>

// One folder below the preset root as the browser sees it: its sub-folders in directory order
// and the full paths of its files with the wanted extension.
struct FolderTree
{
    juce::String path;
    std::vector<FolderTree> subFolders;
    juce::StringArray files;
};

// Reads the folder tree at dir from disk. Hidden entries are included, files only when they are
// regular files or links to them, and no entry whose name is not valid UTF-8. Links to folders are
// followed, but not into dir or a folder the walk is already inside. Nothing is read that the
// browser built in the same mode could not show: no folder past its capacity, and no files once
// the file ids are used up, nor in load mode any folder.
FolderTree readFolderTree (const juce::File& dir, const juce::String& ext, bool saveMode);

namespace PresetBrowser
{
constexpr int maxMenus = 200;
constexpr int maxEntriesPerFolder = 1000;
constexpr int newFolderIdBase = 5001;
constexpr int saveAsIdBase = 6001;
constexpr int firstNewFolderId = 5000;
constexpr int firstSaveAsId = 6000;

// The menu tree of one browser call. An item's id is derived from the index of its entry in
// paths: files index + 1, "NEW FOLDER..." newFolderIdBase + index, "Save-As..."
// saveAsIdBase + index. Each folder contributes a block to paths: an empty entry, its files,
// an empty entry, after the blocks of its sub-folders.
struct Menu
{
    juce::PopupMenu root;
    juce::StringArray paths;
    int fileCount = 0;
    int visibleItemId = 0;
    int currentItemId = -1;
};

// Builds the tree for a folder; the title becomes the root menu's section header. In save mode
// every sub-folder is listed and each folder offers "NEW FOLDER..." and "Save-As..."; in load
// mode only sub-folders whose tree holds files appear. Entries beyond the fixed capacities
// (199 sub-folders, 1000 per folder, the id ranges) are left out.
Menu build (const FolderTree& tree, const juce::String& title, bool saveMode, const juce::String& currentFile);

// The file that stepping from paths[currentIndex] in the given direction reaches, staying
// within the current folder's block; empty when the step would land on a block marker.
juce::String step (const juce::StringArray& paths, int currentIndex, int direction);

// True when the title asks for the save form of the browser.
bool isSaveTitle (const juce::String& title);

// A name typed for a file or folder that stays inside the folder it is made in.
bool isUsableName (const juce::String& name);
} // namespace PresetBrowser
