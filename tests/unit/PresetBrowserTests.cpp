#include "presets/FolderListing.h"
#include "presets/PresetBrowser.h"
#include "support/ScriptedPresetDialogs.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

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

    const auto tree = readFolderTree (presets, ".wbm", false);
    ASSERT_EQ (tree.subFolders.size(), 1u);
    EXPECT_EQ (tree.subFolders[0].files, juce::StringArray (temp.folder.getChildFile ("Presets/.folder/Two.wbm").getFullPathName()));

    auto files = tree.files;
    files.sort (false);
    EXPECT_EQ (files, juce::StringArray (presets.getChildFile (".Hidden.wbm").getFullPathName(), presets.getChildFile ("Link.wbm").getFullPathName(), presets.getChildFile ("One.wbm").getFullPathName()));

    EXPECT_TRUE (readFolderTree (temp.folder.getChildFile ("Missing"), ".wbm", false).files.isEmpty());
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

        const auto tree = readFolderTree (presets, ".wbm", false);
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

// The walk as it was before it knew the browser's capacities: every folder, all of its files. The
// builder's own capacities leave out what the menu cannot show, so for a tree without links back
// into the walk the two build the same browser.
FolderTree readWholeTree (const juce::File& dir, const juce::String& ext)
{
    FolderTree node { dir.getFullPathName(), {}, FolderListing::files (dir, "*" + ext) };

    for (const auto& folder : FolderListing::folders (dir))
        node.subFolders.push_back (readWholeTree (folder.path, ext));

    return node;
}

int foldersIn (const FolderTree& node)
{
    auto count = (int) node.subFolders.size();

    for (const auto& sub : node.subFolders)
        count += foldersIn (sub);

    return count;
}

// A folder's files read when none of them got an id were read in vain.
void expectFilesReadOnlyWhereOneGotAnId (const FolderTree& node, const std::set<juce::String>& listed, const juce::String& what)
{
    if (! node.files.isEmpty())
    {
        EXPECT_TRUE (std::any_of (node.files.begin(), node.files.end(), [&listed] (const juce::String& file)
                                  { return listed.count (file) != 0; }))
            << what << ": " << node.path;
    }

    for (const auto& sub : node.subFolders)
        expectFilesReadOnlyWhereOneGotAnId (sub, listed, what);
}

// What the user meets of a browser: its menu with ids and ticks, the counts, where the arrows
// step from the current file, and what each of the first pathCount indices of paths names. Past
// its end paths reads as empty, as a marker does.
juce::StringArray seen (PresetBrowser::Menu& menu, int pathCount)
{
    auto lines = describe (menu);
    lines.add ("files " + juce::String (menu.fileCount) + ", visible " + juce::String (menu.visibleItemId) + ", current " + juce::String (menu.currentItemId));

    if (menu.currentItemId > 0)
        for (const auto direction : { 1, -1 })
            lines.add ("step " + juce::String (direction) + " " + PresetBrowser::step (menu.paths, menu.currentItemId - 1, direction));

    for (int i = 0; i < pathCount; ++i)
        lines.add ("path " + juce::String (i) + " " + menu.paths[i]);

    return lines;
}

juce::String firstDifference (const juce::StringArray& a, const juce::StringArray& b)
{
    for (int i = 0; i < std::max (a.size(), b.size()); ++i)
        if (i >= a.size() || i >= b.size() || a[i] != b[i])
            return "line " + juce::String (i) + ": \"" + a[i] + "\" against \"" + b[i] + "\"";

    return {};
}

juce::String presetName (int index)
{
    // Some names in lower case, so that the sorted order is not the order of the bytes.
    return (index % 3 == 1 ? "p" : "P") + juce::String (index).paddedLeft ('0', 4);
}

// The walk reads no further than the browser can show, and what it builds from that is what the
// whole tree builds: the menus with their ids and ticks, the counts, the arrows' steps and what
// paths holds at each index. Links to one folder make the large trees cheap to set up.
TEST (PresetBrowser, TheBoundedWalkBuildsWhatTheWholeTreeBuilds)
{
    struct Folder
    {
        juce::String path; // below the temporary folder
        int presets;
    };

    struct Links
    {
        juce::String prefix; // below Presets; the links are prefix + 0, 1, ...
        int count;
        juce::String target; // below the temporary folder
    };

    struct Current
    {
        juce::String folder; // below Presets
        int preset;          // -1 for no current file
        // The current item's id in each mode, 0 where directory order decides it.
        int loadId;
        int saveId;
    };

    struct Case
    {
        const char* what;
        std::vector<Folder> folders;
        std::vector<Links> links;
        std::vector<Current> currents;
        // The folders the bounded walk reads in each mode, -1 where directory order decides it.
        int loadFolders;
        int saveFolders;
    };

    // Ten folders one inside the other, each with a link to a full folder and three presets.
    std::vector<Folder> nested { { "Library/Bank", 1000 } };
    std::vector<Links> nestedLinks;

    juce::String level;

    for (int depth = 0; depth < 10; ++depth)
    {
        level += "/N";
        nested.push_back ({ "Presets" + level, 3 });
        nestedLinks.push_back ({ level.substring (1) + "/B", 1, "Library/Bank" });
    }

    const Case cases[] = {
        // Four blocks of 1002 entries, then the fifth folder gets 990 ids (988 in save mode,
        // whose first block has save items) and the rest none.
        { "2,000 presets and 50 links to them", { { "Presets/Bank", 2000 } }, { { "L", 50, "Presets/Bank" } }, { { "L7", 1500, -1, -1 } }, 5, 51 },
        { "the ids used up before the folder's own files", { { "Library/Bank", 1000 }, { "Presets/A", 10 } }, { { "A/L", 6, "Library/Bank" } }, { { "A", 5, -1, -1 }, { "A/L0", 999, 0, 0 } }, 6, 7 },
        // X's files start at index 4009 (4011 in save mode): P0000 has id 4010 (4012).
        { "a folder straddling the id limit", { { "Library/Bank", 1000 }, { "Presets/X", 1500 } }, { { "X/L", 4, "Library/Bank" } }, { { "X", 0, 4010, 4012 }, { "X", 987, 4997, 4999 }, { "X", 989, 4999, -1 }, { "X", 990, -1, -1 } }, 5, 5 },
        // E's block follows five blocks so large that whatever their order only the first has save
        // items: in the first row 4 * 1000 + 997 entries in load mode, 2 more in save mode.
        { "the last id to a folder's first file", { { "Library/Bank", 998 }, { "Library/Mid", 995 }, { "Presets/E", 5 } }, { { "E/L", 4, "Library/Bank" }, { "E/M", 1, "Library/Mid" } }, { { "E", 0, 4999, -1 }, { "E", 1, -1, -1 } }, 6, 6 },
        { "no id left for a folder's first file", { { "Library/Bank", 998 }, { "Library/Mid", 996 }, { "Presets/E", 5 } }, { { "E/L", 4, "Library/Bank" }, { "E/M", 1, "Library/Mid" } }, { { "E", 0, -1, -1 } }, 6, 6 },
        { "the last id to a folder's first file in save mode", { { "Library/Bank", 997 }, { "Library/Mid", 997 }, { "Presets/E", 5 } }, { { "E/L", 4, "Library/Bank" }, { "E/M", 1, "Library/Mid" } }, { { "E", 0, 4997, 4999 }, { "E", 2, 4999, -1 }, { "E", 3, -1, -1 } }, 6, 6 },
        { "no id left for a folder's first file in save mode", { { "Library/Bank", 997 }, { "Library/Mid", 998 }, { "Presets/E", 5 } }, { { "E/L", 4, "Library/Bank" }, { "E/M", 1, "Library/Mid" } }, { { "E", 0, 4998, -1 }, { "E", 1, 4999, -1 } }, 6, 6 },
        // An empty folder's two markers leave none for E.
        { "an empty folder before the limit", { { "Library/Bank", 998 }, { "Library/Mid", 994 }, { "Presets/E", 5 }, { "Presets/E/Empty", 0 } }, { { "E/L", 4, "Library/Bank" }, { "E/M", 1, "Library/Mid" } }, { { "E", 0, -1, -1 } }, 7, 7 },
        // 156 blocks of 32 entries, then the 157th folder gets the last ids; save mode goes on to 199.
        { "the ids used up before the folders", { { "Library/Thirty", 30 } }, { { "D", 210, "Library/Thirty" } }, { { "D0", 1, 0, 0 } }, 157, 199 },
        { "more folders than the menus hold", { { "Library/Small", 3 } }, { { "D", 250, "Library/Small" } }, { { "D0", 1, 0, 0 } }, 199, 199 },
        // The root's block follows Sub's 5 entries; in save mode both have save items.
        { "more than 1,000 files in one folder", { { "Presets", 1200 }, { "Presets/Sub", 3 } }, {}, { { "", 0, 7, 11 }, { "", 999, 1006, 1010 }, { "", 1000, -1, -1 }, { "Sub", 2, 4, 6 } }, 1, 1 },
        // 6235 entries, so whatever the directory order, folders come both before and after the limit.
        { "folders before and after the limit", { { "Library/Bank", 1000 }, { "Library/Half", 600 }, { "Library/Small", 5 }, { "Presets/P", 20 } }, { { "P/L", 5, "Library/Bank" }, { "P/H", 2, "Library/Half" }, { "P/S", 3, "Library/Small" } }, { { "P", 3, -1, -1 }, { "P/S0", 1, 0, 0 }, { "P/H1", 599, 0, 0 } }, -1, 11 },
        { "deep nesting", nested, nestedLinks, { { "N", 0, -1, -1 }, { "N/N/N/N/N/N/N/N/N/N", 2, 0, 0 }, { "N/N/N/N/N/N/N/N/N/N/B0", 0, 0, 0 } }, -1, 20 },
    };

    for (const auto& c : cases)
    {
        TemporaryFolder temp;
        const auto presets = temp.folder.getChildFile ("Presets");
        ASSERT_TRUE (presets.createDirectory());

        for (const auto& folder : c.folders)
        {
            ASSERT_TRUE (temp.folder.getChildFile (folder.path).createDirectory()) << c.what;

            for (int i = 0; i < folder.presets; ++i)
                temp.write (folder.path + "/" + presetName (i) + ".wbm");
        }

        for (const auto& links : c.links)
            for (int i = 0; i < links.count; ++i)
                ASSERT_EQ (symlink (temp.folder.getChildFile (links.target).getFullPathName().toRawUTF8(), presets.getChildFile (links.prefix + juce::String (i)).getFullPathName().toRawUTF8()), 0) << c.what;

        const auto whole = readWholeTree (presets, ".wbm");

        for (const auto saveMode : { false, true })
        {
            const juce::String what = juce::String (c.what) + (saveMode ? ", save" : ", load");
            const auto title = saveMode ? "Save" : "Load";
            const auto bounded = readFolderTree (presets, ".wbm", saveMode);
            const auto expectedFolders = saveMode ? c.saveFolders : c.loadFolders;

            if (expectedFolders >= 0)
            {
                EXPECT_EQ (foldersIn (bounded), expectedFolders) << what;
            }

            std::vector<Current> currents { { {}, -1, -1, -1 } };
            currents.insert (currents.end(), c.currents.begin(), c.currents.end());

            for (const auto& current : currents)
            {
                const auto file = current.preset < 0 ? juce::String() : presets.getChildFile (current.folder).getChildFile (presetName (current.preset) + ".wbm").getFullPathName();
                auto fromWhole = PresetBrowser::build (whole, title, saveMode, file);
                auto fromBounded = PresetBrowser::build (bounded, title, saveMode, file);
                const auto expectedId = saveMode ? current.saveId : current.loadId;

                if (expectedId != 0)
                {
                    EXPECT_EQ (fromWhole.currentItemId, expectedId) << what << ", " << file;
                }

                EXPECT_LE (fromBounded.paths.size(), fromWhole.paths.size()) << what;
                EXPECT_EQ (firstDifference (seen (fromBounded, fromWhole.paths.size()), seen (fromWhole, fromWhole.paths.size())), "") << what << ", " << file;

                const std::set<juce::String> listed (fromBounded.paths.begin(), fromBounded.paths.end());
                expectFilesReadOnlyWhereOneGotAnId (bounded, listed, what);
            }
        }
    }
}
} // namespace
