#include "presets/SubPresets.h"
#include "processor/ParameterRestore.h"
#include "support/PresetTestProcessor.h"
#include "support/ScratchPresetRoot.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <functional>
#include <thread>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
juce::MemoryBlock contents (const juce::String& path)
{
    juce::MemoryBlock data;
    juce::File (path).loadFileAsData (data);
    return data;
}

void setParameter (juce::AudioProcessor& processor, const juce::String& id, float value)
{
    findParameter (processor, id)->setValueNotifyingHost (value);
}

float parameterValue (juce::AudioProcessor& processor, const juce::String& id)
{
    return findParameter (processor, id)->getValue();
}

TEST (PresetManager, AFreshStoreHasMadeItsRootFolder)
{
    const auto common = juce::File::getSpecialLocation (juce::File::commonDocumentsDirectory).getChildFile ("Warbloom");
    const auto existedBefore = common.exists();
    const ScratchPresetRoot scratch;
    ASSERT_FALSE (scratch.root.exists());

    WarbloomAudioProcessor processor;
    auto& presets = *processor.presetManager;

    EXPECT_EQ (presets.presetName, "Untitled");
    EXPECT_TRUE (presets.presetPath.isEmpty());
    EXPECT_NE (presets.resizeEditorOnLoad.load(), 0);
    EXPECT_EQ (presets.savedEditorWidth.load() + presets.savedEditorHeight.load() + presets.editorWidth.load() + presets.editorHeight.load(), 0);
    EXPECT_EQ (presets.processor, &processor);
    EXPECT_EQ (presets.rootPath, scratch.root.getFullPathName());
    EXPECT_TRUE (scratch.root.isDirectory());
    EXPECT_EQ (common.exists(), existedBefore) << "the user's folder is left alone";

    // A root given to the store is made too, with its parents.
    const auto injected = scratch.scratch.folder.getChildFile ("elsewhere/Warbloom");
    const PresetManager store (processor, injected);
    EXPECT_EQ (store.rootPath, injected.getFullPathName());
    EXPECT_TRUE (injected.isDirectory());
}

TEST (PresetManager, RootFallsBackWhenThePreferredFolderCannotHoldPresets)
{
    TemporaryFolder temp;
    const auto fallback = temp.folder.getChildFile ("fallback");
    temp.write ("file/Warbloom");
    temp.write ("existing/Warbloom/keep.txt");

    EXPECT_EQ (PresetManager::chooseRoot (temp.folder.getChildFile ("existing/Warbloom"), fallback), temp.folder.getChildFile ("existing/Warbloom"));
    EXPECT_EQ (PresetManager::chooseRoot (temp.folder.getChildFile ("Warbloom"), fallback), temp.folder.getChildFile ("Warbloom"));
    EXPECT_EQ (PresetManager::chooseRoot (temp.folder.getChildFile ("file/Warbloom"), fallback), fallback);
    EXPECT_EQ (PresetManager::chooseRoot (temp.folder.getChildFile ("missing/Warbloom"), fallback), fallback);
    EXPECT_FALSE (temp.folder.getChildFile ("Warbloom").exists());
}

TEST (PresetManager, LoadingFromAMissingOrEmptyFolderShowsNoMenu)
{
    PresetTestProcessor p;
    auto& presets = p.presets();

    presets.loadPreset (&presets.presetPath);
    p.temp.write ("Presets/Notes.txt");
    presets.loadPreset (&presets.presetPath);
    presets.loadSubPreset (0);

    EXPECT_TRUE (p.dialogs->menus.isEmpty());
    EXPECT_TRUE (presets.presetPath.isEmpty());
    EXPECT_EQ (presets.presetName, "Untitled");
}

TEST (PresetManager, SavingIntoAMissingFolderOffersTheSaveItems)
{
    PresetTestProcessor p;
    auto& presets = p.presets();

    presets.savePreset (&presets.presetPath);

    ASSERT_EQ (p.dialogs->menus.size(), 1);
    EXPECT_EQ (p.dialogs->menus[0], juce::StringArray ({ "# Save Preset", "-", "NEW FOLDER... 5001", "-", "Save-As... 6002", "-" }));
    EXPECT_TRUE (presets.presetPath.isEmpty());
    EXPECT_FALSE (p.temp.folder.getChildFile ("Presets").exists());
}

TEST (PresetManager, SaveAsWritesExactlyTheStateBlock)
{
    PresetTestProcessor p;
    auto& presets = p.presets();
    setParameter (p.processor, "echoMix", 0.25f);

    p.dialogs->chooseItem ("Save-As...");
    p.dialogs->textReplies.push_back ("First");
    presets.savePreset (&presets.presetPath);

    EXPECT_EQ (p.dialogs->prompts, juce::StringArray ("Save As|Enter New Preset Name|Preset Name: |"));
    EXPECT_TRUE (p.dialogs->questions.isEmpty());

    EXPECT_EQ (presets.presetPath, p.path ("Presets/First.wbm"));
    EXPECT_EQ (presets.presetName, "First");
    EXPECT_EQ (contents (presets.presetPath), p.stateBlock());
    EXPECT_EQ (juce::File (p.path ("Presets")).getNumberOfChildFiles (juce::File::findFilesAndDirectories | juce::File::ignoreHiddenFiles, "*"), 1);
    EXPECT_EQ (juce::File (p.path ("Presets")).getNumberOfChildFiles (juce::File::findFilesAndDirectories, "*"), 1);

    // A typed extension is kept, so it doubles.
    p.dialogs->chooseItem ("Save-As...");
    p.dialogs->textReplies.push_back ("Second.wbm");
    presets.savePreset (&presets.presetPath);
    EXPECT_EQ (p.dialogs->prompts[1], "Save As|Enter New Preset Name|Preset Name: |First");
    EXPECT_EQ (presets.presetPath, p.path ("Presets/Second.wbm.wbm"));
}

TEST (PresetManager, OverwriteQuestionGuardsExistingFiles)
{
    PresetTestProcessor p;
    auto& presets = p.presets();
    const auto alpha = p.path ("Presets/Alpha.wbm");
    p.temp.write ("Presets/Alpha.wbm", juce::MemoryBlock ("old", 3));

    // Choosing the file itself, then Save-As with its name: both ask, No keeps everything.
    p.dialogs->chooseItem ("Alpha");
    p.dialogs->chooseItem ("Save-As...");
    p.dialogs->textReplies.push_back ("Alpha");
    presets.savePreset (&presets.presetPath);
    presets.savePreset (&presets.presetPath);

    EXPECT_EQ (p.dialogs->questions, juce::StringArray ({ "Overwrite Alpha ?", "Overwrite Alpha ?" }));
    EXPECT_EQ (contents (alpha), juce::MemoryBlock ("old", 3));
    EXPECT_TRUE (presets.presetPath.isEmpty());
    EXPECT_EQ (presets.presetName, "Untitled");

    p.dialogs->chooseItem ("Alpha");
    p.dialogs->yesNoReplies.push_back (1);
    presets.savePreset (&presets.presetPath);

    EXPECT_EQ (presets.presetPath, alpha);
    EXPECT_EQ (contents (alpha), p.stateBlock());
    EXPECT_EQ (p.dialogs->visibleIds.back(), 0);

    // The current file is ticked and kept in view the next time.
    presets.savePreset (&presets.presetPath);
    EXPECT_TRUE (p.dialogs->menus.getLast().contains ("Alpha 4 *"));
    EXPECT_EQ (p.dialogs->visibleIds.back(), 4);
}

TEST (PresetManager, NewFolderReopensTheBrowserWithTheFolder)
{
    PresetTestProcessor p;
    auto& presets = p.presets();

    p.dialogs->chooseItem ("NEW FOLDER...");
    p.dialogs->textReplies.push_back ("Live");
    p.dialogs->chooseItem ("Live/Save-As...");
    p.dialogs->textReplies.push_back ("Set");
    presets.savePreset (&presets.presetPath);

    EXPECT_EQ (p.dialogs->prompts[0], "NEW FOLDER|Enter New Folder Name|Folder Name: |");
    EXPECT_EQ (p.dialogs->menus[1][2], "> Live");
    EXPECT_EQ (presets.presetPath, p.path ("Presets/Live/Set.wbm"));
    EXPECT_TRUE (juce::File (presets.presetPath).existsAsFile());

    // A folder made before the reopened browser is dismissed stays.
    p.dialogs->chooseItem ("NEW FOLDER...");
    p.dialogs->textReplies.push_back ("Kept");
    presets.savePreset (&presets.presetPath);
    EXPECT_TRUE (juce::File (p.path ("Presets/Kept")).isDirectory());
    EXPECT_EQ (presets.presetPath, p.path ("Presets/Live/Set.wbm"));
}

TEST (PresetManager, CancelledOrUnusableNamesChangeNothing)
{
    const char* const names[] = { nullptr, "", "   ", ".", "..", "../Escaped", "a/b", "x\\y" };

    for (const auto* item : { "Save-As...", "NEW FOLDER..." })
    {
        for (const auto* name : names)
        {
            PresetTestProcessor p;
            auto& presets = p.presets();
            p.dialogs->chooseItem (item);

            if (name != nullptr)
                p.dialogs->textReplies.push_back (name);

            presets.savePreset (&presets.presetPath);

            EXPECT_TRUE (presets.presetPath.isEmpty()) << item << " " << (name == nullptr ? "cancel" : name);
            EXPECT_EQ (presets.presetName, "Untitled");
            EXPECT_EQ (p.dialogs->menus.size(), 1);
            EXPECT_EQ (p.temp.folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories, "*"), 0);
            EXPECT_FALSE (p.temp.folder.getSiblingFile ("Escaped.wbm").exists());
        }
    }
}

TEST (PresetManager, LoadingAPresetRestoresItsBlock)
{
    PresetTestProcessor p;
    auto& presets = p.presets();

    setParameter (p.processor, "filterCut", 0.125f);
    const auto stored = parameterValue (p.processor, "filterCut");
    presets.presetPath = p.path ("Presets/Stored.wbm");
    presets.subPresetPaths[2] = "/somewhere/x.Esp";
    p.temp.write ("Presets/Copy.wbm", p.stateBlock());

    setParameter (p.processor, "filterCut", 1.0f);
    presets.presetPath = {};
    presets.subPresetPaths[2] = {};

    p.dialogs->chooseItem ("Copy");
    presets.loadPreset (&presets.presetPath);

    EXPECT_TRUE (p.dialogs->questions.isEmpty());
    EXPECT_FLOAT_EQ (parameterValue (p.processor, "filterCut"), stored);
    EXPECT_EQ (presets.presetPath, p.path ("Presets/Stored.wbm"));
    EXPECT_EQ (presets.presetName, "Stored");
    EXPECT_EQ (presets.subPresetPaths[2], "/somewhere/x.Esp");
    EXPECT_FALSE (p.dialogs->menus[0].joinIntoString ("|").contains ("NEW FOLDER"));
}

TEST (PresetManager, SteppingThroughPresetFiles)
{
    PresetTestProcessor p;
    auto& presets = p.presets();
    const juce::String args[] = { "Load Preset", ".wbm", "Presets", "Preset" };
    auto stepFrom = [&] (juce::String file, int direction)
    {
        const auto result = presets.getNextPrevFile (direction, &file, args[0], args[1], args[2], args[3]);
        return std::make_pair (result, file);
    };

    EXPECT_EQ (stepFrom ({}, 1), std::make_pair (0, juce::String()));

    for (const auto* name : { "Presets/Charlie.wbm", "Presets/alpha.wbm", "Presets/Bravo.wbm", "Presets/Sub/Delta.wbm", "Presets/Abc.wbm" })
        p.temp.write (name);

    const auto alpha = p.path ("Presets/alpha.wbm");
    const auto charlie = p.path ("Presets/Charlie.wbm");
    const auto delta = p.path ("Presets/Sub/Delta.wbm");

    EXPECT_EQ (stepFrom (charlie, 1), std::make_pair (1, alpha));
    EXPECT_EQ (stepFrom (alpha, -1), std::make_pair (1, charlie));
    EXPECT_EQ (stepFrom (alpha, 1), std::make_pair (1, p.path ("Presets/Bravo.wbm")));
    EXPECT_EQ (stepFrom (delta, 1), std::make_pair (1, delta));
    EXPECT_EQ (stepFrom ({}, -1), std::make_pair (1, juce::String()));
    EXPECT_EQ (stepFrom ("/elsewhere/Alpha.wbm", 1), std::make_pair (1, juce::String ("/elsewhere/Alpha.wbm")));
    EXPECT_EQ (stepFrom (p.path ("Presets/Abc.wbm"), -1), std::make_pair (0, p.path ("Presets/Abc.wbm"))) << "a step that finds no file loads nothing";
    EXPECT_TRUE (p.dialogs->menus.isEmpty());
}

// Enough presets that a folder holding two links to itself, were they followed until the folder
// capacity ran out, would fill every file id before its own files got one. About 120 of those
// folders can be read before paths hold more links than the system resolves, hence 60 presets.
TEST (PresetManager, ArrowsStepInAFolderThatLinksToItself)
{
    PresetTestProcessor p;

    for (int i = 0; i < 60; ++i)
        p.temp.write ("Presets/Big/P" + juce::String (i).paddedLeft ('0', 2) + ".wbm");

    for (const auto* link : { "Presets/Big/loop0", "Presets/Big/loop1" })
        ASSERT_EQ (symlink (".", p.path (link).toRawUTF8()), 0);

    auto file = p.path ("Presets/Big/P00.wbm");
    EXPECT_EQ (p.presets().getNextPrevFile (1, &file, "Load Preset", ".wbm", "Presets", "Preset"), 1);
    EXPECT_EQ (file, p.path ("Presets/Big/P01.wbm"));
    EXPECT_EQ (p.presets().getNextPrevFile (-1, &file, "Load Preset", ".wbm", "Presets", "Preset"), 1);
    EXPECT_EQ (file, p.path ("Presets/Big/P00.wbm"));
}

// Opening a FIFO for reading waits for a writer. Should a load ever open one, the writer started
// here lets it go on after a while, and the time taken shows it.
TEST (PresetManager, LoadingAPipeOpensNothing)
{
    PresetTestProcessor p;
    auto& presets = p.presets();
    const auto pipe = p.path ("Presets/Pipe.wbm");
    juce::File (pipe).getParentDirectory().createDirectory();
    ASSERT_EQ (mkfifo (pipe.toRawUTF8(), 0600), 0);
    presets.presetPath = pipe;
    const auto before = p.stateBlock();

    std::atomic<bool> returned { false };
    std::thread writer ([&]
                        {
                            for (int i = 0; i < 300 && ! returned; ++i)
                                std::this_thread::sleep_for (std::chrono::milliseconds (10));

                            if (const auto fd = open (pipe.toRawUTF8(), O_WRONLY | O_NONBLOCK); fd >= 0)
                                close (fd); });

    const auto start = juce::Time::getMillisecondCounterHiRes();
    EXPECT_FALSE (presets.loadPresetFile (pipe));
    returned = true;
    writer.join();

    EXPECT_LT (juce::Time::getMillisecondCounterHiRes() - start, 2500.0);
    EXPECT_EQ (p.stateBlock(), before);
    EXPECT_EQ (presets.presetName, "Untitled");

    p.dialogs->chooseItem ("Pipe");
    presets.loadPreset (&presets.presetPath);
    EXPECT_TRUE (p.dialogs->menus.isEmpty()) << "a folder holding only a pipe has nothing to load";
}

// The file size limit makes the system cut the write short, as a full disk would; JUCE's stream
// reports success all the same.
struct FileSizeLimit
{
    explicit FileSizeLimit (rlim_t bytes)
    {
        getrlimit (RLIMIT_FSIZE, &before);
        previousHandler = std::signal (SIGXFSZ, SIG_IGN);
        auto limited = before;
        limited.rlim_cur = bytes;
        setrlimit (RLIMIT_FSIZE, &limited);
    }

    ~FileSizeLimit()
    {
        setrlimit (RLIMIT_FSIZE, &before);
        std::signal (SIGXFSZ, previousHandler);
    }

    rlimit before {};
    void (*previousHandler) (int) = nullptr;
};

TEST (PresetManager, AFailedSaveKeepsTheOldFileAndTheShownName)
{
    struct Case
    {
        const char* what;
        std::function<void (PresetTestProcessor&)> choose;
        rlim_t fileSizeLimit;
    };

    const auto saveAs = [] (const juce::String& name)
    {
        return [name] (PresetTestProcessor& p)
        {
            p.dialogs->chooseItem ("Save-As...");
            p.dialogs->textReplies.push_back (name);
            p.dialogs->yesNoReplies.push_back (1);
        };
    };

    const Case cases[] = {
        { "a folder stands where the file would go", saveAs ("Taken"), RLIM_INFINITY },
        { "a name longer than a file name may be", saveAs (juce::String::repeatedString ("n", 252)), RLIM_INFINITY },
        { "the write comes up short",
          [] (PresetTestProcessor& p)
          {
              p.dialogs->chooseItem ("Old");
              p.dialogs->yesNoReplies.push_back (1);
          },
          1024 },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        PresetTestProcessor p;
        auto& presets = p.presets();
        p.temp.write ("Presets/Taken.wbm/inside.txt", juce::MemoryBlock ("keep", 4));
        p.dialogs->chooseItem ("Save-As...");
        p.dialogs->textReplies.push_back ("Old");
        presets.savePreset (&presets.presetPath);

        const auto old = contents (p.path ("Presets/Old.wbm"));
        ASSERT_GT (old.getSize(), 2000u);
        const auto listing = juce::File (p.path ("Presets")).findChildFiles (juce::File::findFilesAndDirectories, true, "*");
        findParameter (p.processor, "echoMix")->setValueNotifyingHost (0.125f);

        c.choose (p);
        {
            const FileSizeLimit limit (c.fileSizeLimit);
            presets.savePreset (&presets.presetPath);
        }

        EXPECT_EQ (contents (p.path ("Presets/Old.wbm")), old);
        EXPECT_EQ (contents (p.path ("Presets/Taken.wbm/inside.txt")), juce::MemoryBlock ("keep", 4));
        EXPECT_EQ (juce::File (p.path ("Presets")).findChildFiles (juce::File::findFilesAndDirectories, true, "*"), listing);
        EXPECT_EQ (presets.presetName, "Old");
        EXPECT_EQ (presets.presetPath, p.path ("Presets/Old.wbm"));
    }
}

// The temporary file's name is short, so any name that fits saves.
TEST (PresetManager, TheLongestNamesSave)
{
    PresetTestProcessor p;
    auto& presets = p.presets();
    const auto name = juce::String::repeatedString ("n", 251);

    p.dialogs->chooseItem ("Save-As...");
    p.dialogs->textReplies.push_back (name);
    presets.savePreset (&presets.presetPath);

    EXPECT_EQ (presets.presetName, name);
    EXPECT_EQ (contents (p.path ("Presets/" + name + ".wbm")), p.stateBlock());
}

TEST (PresetManager, AFailedSubPresetSaveKeepsTheSlotsPath)
{
    PresetTestProcessor p;
    auto& presets = p.presets();
    presets.subPresetPaths[0] = "kept";

    p.dialogs->chooseItem ("Save-As...");
    p.dialogs->textReplies.push_back (juce::String::repeatedString ("n", 255));
    presets.saveSubPreset (0);

    EXPECT_EQ (presets.subPresetPaths[0], "kept");
    EXPECT_EQ (juce::File (p.path (SubPresets[0].folder)).getNumberOfChildFiles (juce::File::findFilesAndDirectories), 0);
}

// A file of the given size that takes almost no disk: the bytes given, then a hole.
void writeSparse (const juce::String& path, const juce::MemoryBlock& head, off_t size)
{
    juce::File (path).getParentDirectory().createDirectory();
    const auto fd = open (path.toRawUTF8(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE (fd, 0);
    EXPECT_EQ (write (fd, head.getData(), head.getSize()), (ssize_t) head.getSize());
    EXPECT_EQ (ftruncate (fd, size), 0);
    close (fd);
}

// Files far larger than the plug-in writes, whose first bytes would load: a preset whose block
// sets echoMix, a sub-preset whose values set the tone group. None may be read, by any route.
TEST (PresetManager, FilesFarLargerThanWrittenOnesAreNotRead)
{
    constexpr off_t gigabyte = off_t { 1 } << 30;

    struct Case
    {
        const char* what;
        const char* file;
        off_t size;
        std::function<void (PresetTestProcessor&, const juce::String& path)> load;
    };

    const Case cases[] = {
        { "40 GB preset from the browser", "Presets/huge.wbm", 40 * gigabyte, [] (PresetTestProcessor& p, const juce::String&)
          {
              p.dialogs->chooseItem ("huge");
              p.presets().loadPreset (&p.presets().presetPath);
          } },
        { "40 GB preset by path", "Presets/huge.wbm", 40 * gigabyte, [] (PresetTestProcessor& p, const juce::String& path)
          { EXPECT_FALSE (p.presets().loadPresetFile (path)); } },
        { "3 GB preset by path", "Presets/huge.wbm", 3 * gigabyte, [] (PresetTestProcessor& p, const juce::String& path)
          { EXPECT_FALSE (p.presets().loadPresetFile (path)); } },
        // The arrows keep a stored path that is not in the tree and load it again.
        { "3 GB preset stepped to from outside the root", "elsewhere/huge.wbm", 3 * gigabyte, [] (PresetTestProcessor& p, const juce::String& path)
          {
              auto& presets = p.presets();
              p.temp.write ("Presets/Other.wbm");
              presets.presetPath = path;
              ASSERT_EQ (presets.getNextPrevFile (1, &presets.presetPath, "Load Preset", ".wbm", "Presets", "Preset"), 1);
              EXPECT_FALSE (presets.loadPresetFile (presets.presetPath));
          } },
        { "3 GB sub-preset from the browser", "SubPresets/huge.Tsp", 3 * gigabyte, [] (PresetTestProcessor& p, const juce::String&)
          {
              p.dialogs->chooseItem ("huge");
              p.presets().loadSubPreset (0);
          } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        PresetTestProcessor p;
        const auto path = p.path (c.file);

        setParameter (p.processor, "echoMix", 0.25f);
        setParameter (p.processor, "bandSplitter", 0.25f);
        auto head = p.stateBlock();

        if (juce::String (c.file).endsWith (".Tsp"))
        {
            juce::MemoryOutputStream values;
            values.write ("WBMX", 4);

            for (int i = 0; i < 10; ++i)
                values.writeFloat (0.75f);

            head = values.getMemoryBlock();
        }

        setParameter (p.processor, "echoMix", 0.5f);
        setParameter (p.processor, "bandSplitter", 0.5f);
        const auto before = std::make_pair (parameterValue (p.processor, "echoMix"), parameterValue (p.processor, "bandSplitter"));
        writeSparse (path, head, c.size);
        ASSERT_EQ (juce::File (path).getSize(), (juce::int64) c.size);

        const auto start = juce::Time::getMillisecondCounterHiRes();
        c.load (p, path);

        EXPECT_LT (juce::Time::getMillisecondCounterHiRes() - start, 5000.0);
        EXPECT_EQ (std::make_pair (parameterValue (p.processor, "echoMix"), parameterValue (p.processor, "bandSplitter")), before);
        EXPECT_EQ (p.presets().presetName, "Untitled");
    }
}
} // namespace
