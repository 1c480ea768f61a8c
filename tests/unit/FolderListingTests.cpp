#include "presets/FolderListing.h"
#include "presets/RegularFile.h"
#include "presets/SubPresets.h"
#include "support/PresetTestProcessor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace
{
juce::StringArray juceListing (const juce::File& dir, const juce::String& wildcard, int kind)
{
    juce::StringArray paths;

    for (const auto& entry : juce::RangedDirectoryIterator (dir, false, wildcard, kind))
        paths.add (entry.getFile().getFullPathName());

    return paths;
}

juce::StringArray pathsOf (const std::vector<FolderListing::Folder>& folders)
{
    juce::StringArray paths;

    for (const auto& folder : folders)
        paths.add (folder.path);

    return paths;
}

const FolderListing::Folder* named (const std::vector<FolderListing::Folder>& folders, const juce::File& file)
{
    for (const auto& folder : folders)
        if (folder.path == file.getFullPathName())
            return &folder;

    return nullptr;
}

// The listing keeps to JUCE's iterator wherever JUCE reads names safely, order included.
TEST (FolderListing, ListsValidNamesAsJucesIteratorDoes)
{
    TemporaryFolder temp;
    const auto dir = temp.folder.getChildFile ("Presets");

    for (const auto* name : { "One.wbm", "UPPER.WBM", "Mixed.Wbm", ".Hidden.wbm", ".wbm", "x.wbm.bak", "wbm", "Other.Tsp", "Grüße.wbm", "日本.wbm", "emoji 🎛.wbm", "Folder.wbm/Inside.wbm", "...", "Plain/Inside.wbm", ".dot/Inside.wbm" })
        temp.write ("Presets/" + juce::String::fromUTF8 (name));

    ASSERT_TRUE (dir.getChildFile ("...").deleteFile());
    ASSERT_TRUE (dir.getChildFile ("...").createDirectory());
    ASSERT_TRUE (dir.getChildFile ("Plain").createSymbolicLink (dir.getChildFile ("FolderLink"), false));
    ASSERT_TRUE (dir.getChildFile ("One.wbm").createSymbolicLink (dir.getChildFile ("FileLink.wbm"), false));
    ASSERT_TRUE (dir.getChildFile ("Gone").createSymbolicLink (dir.getChildFile ("Dangling.wbm"), false));
    ASSERT_EQ (mkfifo (dir.getChildFile ("Pipe.wbm").getFullPathName().toRawUTF8(), 0600), 0);

    for (int i = 0; i < 40; ++i)
        temp.write ("Presets/Many" + juce::String (i) + ".wbm");

    const auto folders = FolderListing::folders (dir);
    EXPECT_EQ (pathsOf (folders), juceListing (dir, "*", juce::File::findDirectories));
    EXPECT_EQ (folders.size(), 4u); // Folder.wbm, Plain, .dot, FolderLink; never "..."

    // A link leads to the same folder as its target; other folders differ.
    const auto* plain = named (folders, dir.getChildFile ("Plain"));
    const auto* link = named (folders, dir.getChildFile ("FolderLink"));
    const auto* dot = named (folders, dir.getChildFile (".dot"));
    ASSERT_TRUE (plain != nullptr && link != nullptr && dot != nullptr);
    EXPECT_EQ (link->id, plain->id);
    EXPECT_FALSE (dot->id == plain->id);
    EXPECT_EQ (FolderListing::folderId (dir.getChildFile ("FolderLink")), plain->id);
    EXPECT_EQ (FolderListing::folderId (dir.getChildFile ("One.wbm")), std::nullopt);

    // JUCE's files are whatever is not a folder; of them the listing keeps the regular files.
    juce::StringArray regular;

    for (const auto& path : juceListing (dir, "*.wbm", juce::File::findFiles))
        if (isRegularFile (path))
            regular.add (path);

    ASSERT_TRUE (regular.contains (dir.getChildFile ("FileLink.wbm").getFullPathName()));

    const auto files = FolderListing::files (dir, "*.wbm");
    EXPECT_EQ (files, regular);
    EXPECT_FALSE (files.contains (dir.getChildFile ("Pipe.wbm").getFullPathName()));
    EXPECT_FALSE (files.contains (dir.getChildFile ("Dangling.wbm").getFullPathName()));
    EXPECT_TRUE (files.contains (dir.getChildFile ("UPPER.WBM").getFullPathName()));
    EXPECT_TRUE (files.contains (dir.getChildFile (".wbm").getFullPathName()));
    EXPECT_FALSE (files.contains (dir.getChildFile ("Folder.wbm").getFullPathName()));

    EXPECT_TRUE (FolderListing::folders (temp.folder.getChildFile ("Missing")).empty());
    EXPECT_TRUE (FolderListing::files (dir.getChildFile ("One.wbm"), "*").isEmpty());
}

// A folder below the preset root that holds a few good presets and sub-presets, and where wanted
// a hostile entry (a file, or a folder with a file inside) in the top folder and in a sub-folder.
// The hostile entries are made and removed with the system's calls: JUCE's own listing, which
// the temporary folder's clean-up uses, overruns the heap on them.
struct HostileFixture
{
    HostileFixture (const std::string& area, const std::string& ext, const std::string& hostileName, bool hostileIsFolder)
    {
        for (const auto* name : { "/Alpha", "/Bravo", "/Deep/Charlie", "/Deep/Delta" })
            p.temp.write (juce::String (area + name + ext));

        if (hostileName.empty())
            return;

        for (const auto* where : { "/", "/Deep/" })
        {
            const auto path = p.temp.folder.getFullPathName().toStdString() + "/" + area + where + hostileName;
            hostile.push_back (path);

            if (hostileIsFolder)
            {
                EXPECT_EQ (mkdir (path.c_str(), 0700), 0) << path;
                std::ofstream (path + "/Inside" + ext) << "x";
            }
            else
            {
                std::ofstream (path) << "x";
            }

            EXPECT_EQ (access (path.c_str(), F_OK), 0) << "the file system took the name";
        }
    }

    ~HostileFixture()
    {
        for (const auto& path : hostile)
            std::filesystem::remove_all (path);
    }

    PresetTestProcessor p;
    std::vector<std::string> hostile;
};

// What the user sees through every route that lists a folder: the load browser, the save browser,
// the browser that NEW FOLDER reopens, and the arrows from each preset, as paths below the root.
juce::StringArray browse (HostileFixture& fixture, bool subPresets)
{
    auto& p = fixture.p;
    auto& presets = p.presets();
    const auto& group = SubPresets[0];
    const auto ext = subPresets ? juce::String (group.extension) : juce::String (".wbm");
    const auto folder = subPresets ? juce::String (group.folder) : juce::String ("Presets");

    if (subPresets)
        presets.loadSubPreset (0);
    else
        presets.loadPreset (&presets.presetPath);

    p.dialogs->chooseItem ("NEW FOLDER...");
    p.dialogs->textReplies.push_back ("Made");

    if (subPresets)
        presets.saveSubPreset (0);
    else
        presets.savePreset (&presets.presetPath);

    juce::StringArray seen;

    for (const auto& menu : p.dialogs->menus)
        seen.addArray (menu);

    const auto root = p.temp.folder.getFullPathName();

    for (const auto* name : { "/Alpha", "/Bravo", "/Deep/Charlie", "/Deep/Delta" })
    {
        for (const auto direction : { 1, -1 })
        {
            auto file = root + "/" + folder + name + ext;
            const auto result = presets.getNextPrevFile (direction, &file, "Load", ext, folder, "Preset");
            seen.add (juce::String (result) + " " + file.fromFirstOccurrenceOf (root, false, false));
        }
    }

    return seen;
}

// Names that are not UTF-8, each about 200 bytes long as the reported crash had them.
TEST (FolderListing, NamesThatAreNotUtf8AreLeftOutOfEveryListing)
{
    const std::string filler (200, 'a');

    const struct
    {
        const char* what;
        std::string bytes;
    } names[] = {
        { "overlong NUL", "\xc0\x80" + filler },
        { "overlong slash", "\xe0\x80\xaf" + filler },
        { "overlong four bytes", "\xf0\x80\x80\xaf" + filler },
        { "cut-off two bytes", filler + "\xc3" },
        { "cut-off three bytes", "\xe2\x82" + filler },
        { "cut-off four bytes", filler + "\xf0\x9f\x8e" },
        { "lone continuation", "\x80" + filler },
        { "continuations", filler + "\xbf\xbf\xbf" },
        { "surrogate", "\xed\xa0\x80" + filler },
        { "beyond U+10FFFF", "\xf4\x90\x80\x80" + filler },
        { "invalid lead", "\xff\xfe" + filler },
    };

    for (const auto subPresets : { false, true })
    {
        const auto area = subPresets ? juce::String (SubPresets[0].folder).toStdString() : "Presets";
        const auto ext = subPresets ? juce::String (SubPresets[0].extension).toStdString() : ".wbm";

        HostileFixture clean (area, ext, {}, false);
        const auto expected = browse (clean, subPresets);
        ASSERT_TRUE (expected.contains ("  Charlie 2")) << expected.joinIntoString ("\n");

        for (const auto& name : names)
        {
            for (const auto isFolder : { false, true })
            {
                HostileFixture hostile (area, ext, isFolder ? name.bytes : name.bytes + ext, isFolder);
                EXPECT_EQ (browse (hostile, subPresets), expected) << area << ": " << name.what << (isFolder ? " folder" : " file");
            }
        }
    }
}
} // namespace
