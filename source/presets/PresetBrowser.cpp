#include "PresetBrowser.h"

#include "FolderListing.h"
#include "SubPresets.h"

#include <algorithm>

namespace
{
void sortIgnoringCase (std::vector<const FolderTree*>& folders)
{
    std::stable_sort (folders.begin(), folders.end(), [] (const FolderTree* a, const FolderTree* b)
                      { return a->path.compareIgnoreCase (b->path) < 0; });
}

juce::StringArray sortedIgnoringCase (juce::StringArray paths)
{
    std::stable_sort (paths.begin(), paths.end(), [] (const juce::String& a, const juce::String& b)
                      { return a.compareIgnoreCase (b) < 0; });
    return paths;
}

// The number of sub-folders the whole tree may hold: menu 0 belongs to the root.
constexpr int maxSubFolders = PresetBrowser::maxMenus - 1;

// What one folder's block adds to paths after the entries before it: "NEW FOLDER..." and
// "Save-As..." in save mode while their ids fit, a marker, its first files in sorted order as far
// as they still get ids, a marker. The walk counts entries with it as the builder hands them out,
// so it knows when no later file can get an id.
struct Block
{
    bool saveItems = false;
    int filesWithIds = 0;

    int size() const { return (saveItems ? 2 : 0) + 2 + filesWithIds; }
};

Block blockAfter (int entriesBefore, int files, bool saveMode)
{
    const auto saveItems = saveMode && PresetBrowser::newFolderIdBase + entriesBefore < PresetBrowser::firstSaveAsId;
    const auto firstFile = entriesBefore + (saveItems ? 2 : 0) + 1;
    // A file's id is its index + 1, below the "NEW FOLDER..." range.
    const auto idsLeft = std::max (0, PresetBrowser::firstNewFolderId - 1 - firstFile);
    return { saveItems, std::min ({ files, PresetBrowser::maxEntriesPerFolder, idsLeft }) };
}

// Reads folders in the order the builder lays out their blocks: a folder's sub-folders, then its
// own files. A folder's files are read only while one of them could get an id, and then all of
// them, since their sorted order decides which do. Save mode lists every folder up to the
// capacity; in load mode a folder shows only when files in its tree have ids, so once the ids are
// used up nothing more is read.
class TreeReader
{
public:
    TreeReader (const juce::File& start, const juce::String& extension, bool save)
        : ext (extension), saveMode (save)
    {
        if (const auto id = FolderListing::folderId (start))
            ancestors.push_back (*id);
    }

    void read (FolderTree& node)
    {
        const juce::File dir (node.path);

        for (const auto& folder : FolderListing::folders (dir))
        {
            if (foldersLeft <= 0 || ! (saveMode || fileIdsLeft()))
                break;

            // A link back into a folder the walk is inside would only list that folder again
            // inside itself, until the capacity runs out.
            if (std::find (ancestors.begin(), ancestors.end(), folder.id) != ancestors.end())
                continue;

            --foldersLeft;
            node.subFolders.push_back ({ folder.path, {}, {} });
            ancestors.push_back (folder.id);
            read (node.subFolders.back());
            ancestors.pop_back();
        }

        if (fileIdsLeft())
            node.files = FolderListing::files (dir, "*" + ext);

        entries += blockAfter (entries, node.files.size(), saveMode).size();
    }

private:
    bool fileIdsLeft() const { return blockAfter (entries, 1, saveMode).filesWithIds > 0; }

    const juce::String ext;
    const bool saveMode;
    int foldersLeft = maxSubFolders;
    int entries = 0;
    // The folders from the walk's start down to the one being read.
    std::vector<FolderListing::FolderId> ancestors;
};

class MenuBuilder
{
public:
    MenuBuilder (bool save, const juce::String& current)
        : saveMode (save), currentFile (current) {}

    // Fills the menu of one folder; returns the number of files listed in its whole tree.
    int addFolder (const FolderTree& node, juce::PopupMenu& menu)
    {
        int count = 0;
        std::vector<const FolderTree*> kept;
        std::vector<juce::PopupMenu> subMenus (node.subFolders.size());

        for (size_t i = 0; i < node.subFolders.size() && menuCount < maxSubFolders; ++i)
        {
            ++menuCount;
            const auto found = addFolder (node.subFolders[i], subMenus[i]);
            count += found;

            if ((found != 0 || saveMode) && (int) kept.size() < PresetBrowser::maxEntriesPerFolder)
                kept.push_back (&node.subFolders[i]);
        }

        sortIgnoringCase (kept);

        for (const auto* folder : kept)
        {
            const auto index = (size_t) (folder - node.subFolders.data());
            menu.addSubMenu (juce::File (folder->path).getFileNameWithoutExtension(), subMenus[index], true);
        }

        const auto block = blockAfter (result.paths.size(), node.files.size(), saveMode);

        if (block.saveItems)
        {
            menu.addItem (PresetBrowser::newFolderIdBase + result.paths.size(), "NEW FOLDER...");
            result.paths.add (node.path);
            menu.addSeparator();
            menu.addItem (PresetBrowser::saveAsIdBase + result.paths.size(), "Save-As...");
            result.paths.add (node.path);
        }

        menu.addSeparator();
        result.paths.add (pmDummy);

        auto files = sortedIgnoringCase (node.files);
        files.removeRange (block.filesWithIds, files.size());

        for (const auto& path : files)
        {
            const auto id = result.paths.size() + 1;
            const auto isCurrent = path == currentFile;
            menu.addItem (id, juce::File (path).getFileNameWithoutExtension(), true, isCurrent);
            result.paths.add (path);
            ++count;

            if (isCurrent)
            {
                result.visibleItemId = id;
                result.currentItemId = id;
            }
        }

        result.paths.add (pmDummy);
        return count;
    }

    PresetBrowser::Menu result;

private:
    const bool saveMode;
    const juce::String currentFile;
    int menuCount = 0;
};

bool isBoundary (const juce::StringArray& paths, int index)
{
    return juce::File (paths[index]).getFileNameWithoutExtension().length() < 4;
}
} // namespace

FolderTree readFolderTree (const juce::File& dir, const juce::String& ext, bool saveMode)
{
    FolderTree tree { dir.getFullPathName(), {}, {} };
    TreeReader (dir, ext, saveMode).read (tree);
    return tree;
}

namespace PresetBrowser
{
Menu build (const FolderTree& tree, const juce::String& title, bool saveMode, const juce::String& currentFile)
{
    MenuBuilder builder (saveMode, currentFile);
    builder.result.root.addSectionHeader (title);
    builder.result.root.addSeparator();
    builder.result.fileCount = builder.addFolder (tree, builder.result.root);
    return std::move (builder.result);
}

juce::String step (const juce::StringArray& paths, int currentIndex, int direction)
{
    const auto forward = direction >= 0 ? 1 : -1;
    const auto neighbour = currentIndex + forward;

    if (! isBoundary (paths, neighbour))
        return paths[neighbour];

    auto index = currentIndex;

    while (! isBoundary (paths, index))
        index -= forward;

    return paths[index + forward];
}

bool isSaveTitle (const juce::String& title)
{
    return title.containsIgnoreCase ("save");
}

bool isUsableName (const juce::String& name)
{
    const auto trimmed = name.trim();
    return trimmed.isNotEmpty() && trimmed != "." && trimmed != ".." && ! name.containsAnyOf ("/\\");
}
} // namespace PresetBrowser
