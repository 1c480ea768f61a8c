#include "presets/FolderListing.h"
#include "presets/PresetManager.h"
#include "processor/WarbloomAudioProcessor.h"
#include "support/TemporaryFolder.h"

#include <benchmark/benchmark.h>

#include <stdexcept>

#include <unistd.h>

// Cost of one browser click as the user meets it, the folder tree read from disk and turned into
// the menu: the load browser opening, the save browser opening, and an arrow stepping to the next
// preset. The Presets folder holds one folder of 2,000 presets and the argument's number of
// links to it, each of which the walk follows; the menu shows about 5,000 of them whatever the
// number of links. The menu is dismissed at once.
namespace
{
constexpr int presetsPerFolder = 2000;

class DismissedDialogs : public PresetDialogs
{
public:
    int showMenu (juce::PopupMenu&, int) override { return 0; }
    int askText (const juce::String&, const juce::String&, const juce::String&, const juce::String&, juce::String&) override { return 0; }
    int askYesNo (const juce::String&) override { return 0; }
};

struct LinkedPresets
{
    explicit LinkedPresets (int links)
    {
        const auto folder = temp.folder.getChildFile ("Presets");
        const auto bank = folder.getChildFile ("Bank");

        for (int i = 0; i < presetsPerFolder; ++i)
            temp.write ("Presets/Bank/Preset " + juce::String (i).paddedLeft ('0', 4) + ".wbm");

        for (int i = 0; i < links; ++i)
            if (symlink (bank.getFullPathName().toRawUTF8(), folder.getChildFile ("Link " + juce::String (i)).getFullPathName().toRawUTF8()) != 0)
                throw std::runtime_error ("cannot make a link");
    }

    TemporaryFolder temp;
    WarbloomAudioProcessor processor;
    PresetManager manager { processor, temp.folder, std::make_unique<DismissedDialogs>() };
};

enum class Click
{
    loadOpen,
    saveOpen,
    arrow
};

void presetBrowserBench (benchmark::State& state, Click click)
{
    LinkedPresets fixture ((int) state.range (0));
    auto& presets = fixture.manager;

    // A preset of the folder the walk reads first, which the browser shows, so that the arrow steps.
    const auto first = FolderListing::folders (fixture.temp.folder.getChildFile ("Presets")).front();
    auto file = first.path + "/Preset 0000.wbm";

    for (auto _ : state)
    {
        switch (click)
        {
            case Click::loadOpen:
                benchmark::DoNotOptimize (presets.getFileFromMenu (&file, "Load Preset", ".wbm", "Presets", "Preset"));
                break;
            case Click::saveOpen:
                benchmark::DoNotOptimize (presets.getFileFromMenu (&file, "Save Preset", ".wbm", "Presets", "Preset"));
                break;
            case Click::arrow:
                benchmark::DoNotOptimize (presets.getNextPrevFile (1, &file, "Load", ".wbm", "Presets", "Preset"));
                break;
        }
    }
}
} // namespace

BENCHMARK_CAPTURE (presetBrowserBench, load_open, Click::loadOpen)->Arg (0)->Arg (50)->Arg (199)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE (presetBrowserBench, save_open, Click::saveOpen)->Arg (0)->Arg (50)->Arg (199)->Unit (benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE (presetBrowserBench, arrow, Click::arrow)->Arg (0)->Arg (50)->Arg (199)->Unit (benchmark::kMillisecond)->UseRealTime();
