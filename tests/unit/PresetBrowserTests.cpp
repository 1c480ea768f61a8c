#include "presets/PresetBrowser.h"
#include "support/ScriptedPresetDialogs.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include <sys/stat.h>
#include <unistd.h>

namespace
{
FolderTree folder (const juce::String& path, std::vector<FolderTree> subFolders, const juce::StringArray& names)
{
    FolderTree tree { path, std::move (subFolders), {} };

    for (const auto& name : names)
        tree.files.add (path + "/" + name + ".wbm");

    return tree;
}

juce::StringArray describe (PresetBrowser::Menu& menu)
{
    return ScriptedPresetDialogs::describe (menu.root);
}

TEST (PresetBrowser, LoadTreeListsFoldersFirstAndBracketsEachFileBlock)
{
    // Directory order: "sub" before "empty"; only "sub" holds presets.
    const auto tree = folder ("/p", { folder ("/p/sub", {}, { "Zulu" }), folder ("/p/empty", {}, {}) }, { "bravo", "Alpha" });
    auto menu = PresetBrowser::build (tree, "Load Preset", false, "/p/bravo.wbm");

    EXPECT_EQ (describe (menu), juce::StringArray ({ "# Load Preset", "-", "> sub", "  Zulu 2", "-", "Alpha 7", "bravo 8 *" }));
    EXPECT_EQ (menu.paths, juce::StringArray ({ "", "/p/sub/Zulu.wbm", "", "", "", "", "/p/Alpha.wbm", "/p/bravo.wbm", "" }));
    EXPECT_EQ (menu.fileCount, 3);
    EXPECT_EQ (menu.visibleItemId, 8);
    EXPECT_EQ (menu.currentItemId, 8);
}

TEST (PresetBrowser, SaveTreeListsEveryFolderWithItsSaveItems)
{
    const auto tree = folder ("/p", { folder ("/p/b", {}, {}), folder ("/p/A", {}, {}) }, {});
    auto menu = PresetBrowser::build (tree, "Save Preset", true, {});

    EXPECT_EQ (describe (menu), juce::StringArray ({ "# Save Preset", "-", "> A", "  NEW FOLDER... 5005", "  -", "  Save-As... 6006", "  -", "> b", "  NEW FOLDER... 5001", "  -", "  Save-As... 6002", "  -", "NEW FOLDER... 5009", "-", "Save-As... 6010", "-" }));
    EXPECT_EQ (menu.paths[0], "/p/b");
    EXPECT_EQ (menu.paths[1], "/p/b");
    EXPECT_EQ (menu.paths[4], "/p/A");
    EXPECT_EQ (menu.paths[8], "/p");
    EXPECT_EQ (menu.paths[9], "/p");
    EXPECT_EQ (menu.fileCount, 0);
}

TEST (PresetBrowser, LoadModeKeepsFoldersWhoseDeeperFoldersHoldFiles)
{
    const auto tree = folder ("/p", { folder ("/p/outer", { folder ("/p/outer/inner", {}, { "Deep" }) }, {}), folder ("/p/bare", { folder ("/p/bare/none", {}, {}) }, {}) }, {});
    auto menu = PresetBrowser::build (tree, "load", false, {});

    EXPECT_EQ (describe (menu), juce::StringArray ({ "# load", "-", "> outer", "  > inner", "    Deep 2", "  -", "-" }));
    EXPECT_EQ (menu.fileCount, 1);
}

TEST (PresetBrowser, TicksOnlyTheExactCurrentPath)
{
    const auto tree = folder ("/p", { folder ("/p/x", {}, { "Same" }) }, { "Same" });

    auto other = PresetBrowser::build (tree, "Load", false, "/p/x/Same.wbm");
    EXPECT_EQ (describe (other), juce::StringArray ({ "# Load", "-", "> x", "  Same 2 *", "-", "Same 5" }));

    auto caseDiffers = PresetBrowser::build (tree, "Load", false, "/p/same.wbm");
    EXPECT_EQ (caseDiffers.currentItemId, -1);
    EXPECT_EQ (caseDiffers.visibleItemId, 0);
}

TEST (PresetBrowser, SaveTitleInAnyCase)
{
    EXPECT_TRUE (PresetBrowser::isSaveTitle ("Save Preset"));
    EXPECT_TRUE (PresetBrowser::isSaveTitle ("SAVE TONE Sub Preset"));
    EXPECT_TRUE (PresetBrowser::isSaveTitle ("unsaved"));
    EXPECT_FALSE (PresetBrowser::isSaveTitle ("Load Preset"));
}

TEST (PresetBrowser, TypedNamesThatLeaveTheFolderAreRefused)
{
    for (const auto* name : { "", "   ", ".", "..", " .. ", "a/b", "../up", "a\\b", "/abs" })
        EXPECT_FALSE (PresetBrowser::isUsableName (name)) << name;

    for (const auto* name : { "Alpha", "with space", ".hidden", "a.b", "..x" })
        EXPECT_TRUE (PresetBrowser::isUsableName (name)) << name;
}

TEST (PresetBrowser, FilesBeyondTheCapacitiesAreLeftOut)
{
    juce::StringArray many;

    for (int i = 0; i < 1200; ++i)
        many.add ("File" + juce::String (i).paddedLeft ('0', 4));

    auto perFolder = PresetBrowser::build (folder ("/p", {}, many), "Load", false, {});
    EXPECT_EQ (perFolder.fileCount, 1000);
    EXPECT_EQ (perFolder.paths.size(), 1002);

    // Six full folders would need file ids past 4999; nothing may reach the "NEW FOLDER..." range.
    std::vector<FolderTree> six;

    for (int i = 0; i < 6; ++i)
        six.push_back (folder ("/p/f" + juce::String (i), {}, many));

    auto ids = PresetBrowser::build (folder ("/p", std::move (six), {}), "Load", false, {});
    // Four full folders, then the fifth stops at index 4998 (id 4999) and the sixth lists none.
    EXPECT_EQ (ids.fileCount, 4000 + 990);

    for (juce::PopupMenu::MenuItemIterator it (ids.root, true); it.next();)
        EXPECT_LT (it.getItem().itemID, PresetBrowser::firstNewFolderId);
}

TEST (PresetBrowser, SaveItemsStayInsideTheirIdRange)
{
    juce::StringArray many;

    for (int i = 0; i < 1000; ++i)
        many.add ("F" + juce::String (i).paddedLeft ('0', 4));

    // The first folder's entries push the second folder's "NEW FOLDER..." index past 998.
    auto menu = PresetBrowser::build (folder ("/p", { folder ("/p/a", {}, many) }, {}), "Save", true, {});

    auto saveItems = 0;

    for (juce::PopupMenu::MenuItemIterator it (menu.root, true); it.next();)
    {
        const auto id = it.getItem().itemID;

        if (id >= PresetBrowser::firstNewFolderId && id < PresetBrowser::firstSaveAsId)
        {
            EXPECT_EQ (menu.paths[id - PresetBrowser::newFolderIdBase], "/p/a");
        }

        saveItems += id >= PresetBrowser::firstNewFolderId ? 1 : 0;
    }

    EXPECT_EQ (saveItems, 2);
}

TEST (PresetBrowser, NoMoreThan199SubFoldersPerTree)
{
    std::vector<FolderTree> subFolders;

    for (int i = 0; i < 250; ++i)
        subFolders.push_back (folder ("/p/d" + juce::String (i).paddedLeft ('0', 3), {}, { "Preset" }));

    auto menu = PresetBrowser::build (folder ("/p", std::move (subFolders), {}), "Load", false, {});
    EXPECT_EQ (menu.fileCount, 199);
}

TEST (PresetBrowser, ReadsFoldersAndMatchingFilesFromDisk)
{
    TemporaryFolder temp;
    temp.write ("Presets/One.wbm");
    temp.write ("Presets/.Hidden.wbm");
    temp.write ("Presets/Other.Tsp");
    temp.write ("Presets/.folder/Two.wbm");

    // Only regular files, and links to them: opening a FIFO blocks until someone writes to it.
    const auto presets = temp.folder.getChildFile ("Presets");
    ASSERT_EQ (mkfifo (presets.getChildFile ("Pipe.wbm").getFullPathName().toRawUTF8(), 0600), 0);
    ASSERT_TRUE (presets.getChildFile ("One.wbm").createSymbolicLink (presets.getChildFile ("Link.wbm"), false));
    ASSERT_TRUE (presets.getChildFile ("Pipe.wbm").createSymbolicLink (presets.getChildFile ("PipeLink.wbm"), false));
    ASSERT_TRUE (presets.getChildFile ("Missing.wbm").createSymbolicLink (presets.getChildFile ("Dangling.wbm"), false));

    const auto tree = readFolderTree (presets, ".wbm");
    ASSERT_EQ (tree.subFolders.size(), 1u);
    EXPECT_EQ (tree.subFolders[0].files, juce::StringArray (temp.folder.getChildFile ("Presets/.folder/Two.wbm").getFullPathName()));

    auto files = tree.files;
    files.sort (false);
    EXPECT_EQ (files, juce::StringArray (presets.getChildFile (".Hidden.wbm").getFullPathName(), presets.getChildFile ("Link.wbm").getFullPathName(), presets.getChildFile ("One.wbm").getFullPathName()));

    EXPECT_TRUE (readFolderTree (temp.folder.getChildFile ("Missing"), ".wbm").files.isEmpty());
}

// Every folder and file of the tree as a path below its top, "/" ending folders, sorted and
// joined by spaces.
juce::String flatten (const FolderTree& tree)
{
    juce::StringArray entries;
    const auto top = tree.path + "/";

    std::function<void (const FolderTree&)> add = [&] (const FolderTree& node)
    {
        for (const auto& sub : node.subFolders)
        {
            entries.add (sub.path.fromFirstOccurrenceOf (top, false, false) + "/");
            add (sub);
        }

        for (const auto& file : node.files)
            entries.add (file.fromFirstOccurrenceOf (top, false, false));
    };

    add (tree);
    entries.sort (false);
    return entries.joinIntoString (" ");
}

// A link back into the walk's start or a folder the walk is inside is left out; every other
// link to a folder is followed, so a folder linked in from elsewhere is listed there too.
TEST (PresetBrowser, LinksBackIntoTheWalkAreNotEntered)
{
    const juce::StringArray plain { "A.wbm", "a/", "a/B.wbm", "a/b/", "a/b/C.wbm" };

    struct Link
    {
        const char* at;
        const char* target; // relative to the link's folder; "@" starts a full path below the preset root
    };

    const struct
    {
        const char* what;
        std::vector<Link> links;
        juce::StringArray added;
    } cases[] = {
        { "none", {}, {} },
        { "to itself", { { "a/self", "." } }, {} },
        { "to its parent", { { "a/b/up", ".." } }, {} },
        { "to the Presets folder", { { "a/b/top", "../../../Presets" } }, {} },
        { "to the Presets folder by its full path", { { "a/top", "@Presets" } }, {} },
        { "at the top to itself", { { "self", "." } }, {} },
        { "two to itself", { { "a/loop0", "." }, { "a/loop1", "." } }, {} },
        { "a cycle two folders long", { { "a/b/toA", "../../a" } }, {} },
        { "to the preset root", { { "a/root", "../.." } }, { "a/root/", "a/root/Other/", "a/root/Other/D.wbm" } },
        { "to a folder listed elsewhere", { { "x", "a/b" } }, { "x/", "x/C.wbm" } },
        { "twice to one folder", { { "x", "a/b" }, { "a/y", "b" } }, { "x/", "x/C.wbm", "a/y/", "a/y/C.wbm" } },
        // Through x the walk is not inside a, so toA is entered there, and only b inside it is left out.
        { "into a cycle from outside it", { { "x", "a/b" }, { "a/b/toA", "../../a" } }, { "x/", "x/C.wbm", "x/toA/", "x/toA/B.wbm" } },
    };

    for (const auto& c : cases)
    {
        TemporaryFolder temp;
        temp.write ("Other/D.wbm");

        for (const auto& entry : plain)
            if (! entry.endsWith ("/"))
                temp.write ("Presets/" + entry);

        const auto presets = temp.folder.getChildFile ("Presets");

        for (const auto& link : c.links)
        {
            const juce::String target (link.target);
            const auto to = target.startsWith ("@") ? temp.folder.getChildFile (target.substring (1)).getFullPathName() : target;
            ASSERT_EQ (symlink (to.toRawUTF8(), presets.getChildFile (link.at).getFullPathName().toRawUTF8()), 0) << c.what;
        }

        auto expected = plain;
        expected.addArray (c.added);
        expected.sort (false);

        const auto tree = readFolderTree (presets, ".wbm");
        EXPECT_EQ (flatten (tree), expected.joinIntoString (" ")) << c.what;

        const auto files = std::count_if (expected.begin(), expected.end(), [] (const juce::String& entry)
                                          { return ! entry.endsWith ("/"); });
        EXPECT_EQ (PresetBrowser::build (tree, "Load", false, {}).fileCount, files) << c.what;
    }
}

// Stepping within a block: "" Alpha Bravo Charlie "" at indices 0..4.
TEST (PresetBrowser, SteppingTable)
{
    const juce::StringArray block { "", "/p/Alpha.wbm", "/p/Bravo.wbm", "/p/Charlie.wbm", "" };
    const juce::StringArray shortNames { "", "/p/Abc.wbm", "/p/Alpha.wbm", "/p/Bravo.wbm", "/p/Yo.wbm", "/p/Zulu.wbm", "" };
    const juce::StringArray two { "", "/p/q/Echo.wbm", "", "", "/p/Alpha.wbm", "/p/Bravo.wbm", "" };

    struct Case
    {
        const juce::StringArray* paths;
        int current;
        int direction;
        juce::String expected;
    };

    const Case cases[] = {
        { &block, 1, 1, "/p/Bravo.wbm" },
        { &block, 2, 1, "/p/Charlie.wbm" },
        { &block, 3, 1, "/p/Alpha.wbm" }, // wraps to the first of the block
        { &block, 2, -1, "/p/Alpha.wbm" },
        { &block, 1, -1, "/p/Charlie.wbm" },    // wraps to the last
        { &block, 3, 0, "/p/Alpha.wbm" },       // direction 0 steps on
        { &shortNames, 2, -1, "/p/Bravo.wbm" }, // a 3-character name ends the run
        { &shortNames, 3, 1, "/p/Alpha.wbm" },
        { &shortNames, 5, 1, "/p/Zulu.wbm" }, // a run of one file steps to itself
        { &shortNames, 5, -1, "/p/Zulu.wbm" },
        { &shortNames, 1, 1, "/p/Alpha.wbm" },
        { &shortNames, 1, -1, "" },      // would land on the marker
        { &two, 1, 1, "/p/q/Echo.wbm" }, // never into another folder
        { &two, 5, 1, "/p/Alpha.wbm" },
        { &two, 4, -1, "/p/Bravo.wbm" },
    };

    for (const auto& c : cases)
        EXPECT_EQ (PresetBrowser::step (*c.paths, c.current, c.direction), c.expected) << (*c.paths)[c.current] << " " << c.direction;
}
} // namespace
