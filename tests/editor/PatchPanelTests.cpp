#include "editor/panels/PatchPanel.h"
#include "PlacementTable.h"
#include "presets/PresetBrowser.h"
#include "presets/PresetManager.h"
#include "processor/WarbloomAudioProcessor.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
// The user's answers to the preset browser, scripted.
class ScriptedDialogs : public PresetDialogs
{
public:
    std::function<int (juce::PopupMenu&)> choose;
    juce::String typedName;
    int menusShown = 0;

    int showMenu (juce::PopupMenu& menu, int) override
    {
        ++menusShown;
        return choose ? choose (menu) : 0;
    }

    int askText (const juce::String&, const juce::String&, const juce::String&, const juce::String&, juce::String& text) override
    {
        text = typedName;
        return typedName.isNotEmpty() ? 1 : 0;
    }

    int askYesNo (const juce::String&) override { return 1; }
};

int itemWhere (juce::PopupMenu& menu, const std::function<bool (const juce::PopupMenu::Item&)>& wanted)
{
    for (juce::PopupMenu::MenuItemIterator it (menu, true); it.next();)
        if (wanted (it.getItem()))
            return it.getItem().itemID;
    return 0;
}

std::function<int (juce::PopupMenu&)> choosePreset (const juce::String& name)
{
    return [name] (juce::PopupMenu& menu)
    { return itemWhere (menu, [&] (const juce::PopupMenu::Item& item)
                        { return item.text == name && item.subMenu == nullptr; }); };
}

// A processor whose presets live in a temporary folder, with the panel on it.
struct PatchFixture
{
    PatchFixture()
    {
        auto scripted = std::make_unique<ScriptedDialogs>();
        dialogs = scripted.get();
        processor.presetManager = std::make_unique<PresetManager> (processor, root.getFile(), std::move (scripted));
    }

    PresetManager& presets() { return *processor.presetManager; }

    juce::File presetFile (const juce::String& name) { return root.getFile().getChildFile ("Presets").getChildFile (name + ".wbm"); }

    // A preset file made as the save button makes one: the state block saved under its own path.
    void writePreset (const juce::String& name, float echoMix)
    {
        setEchoMix (echoMix);
        const auto file = presetFile (name);
        file.getParentDirectory().createDirectory();
        presets().presetPath = file.getFullPathName();
        juce::MemoryBlock block;
        processor.getStateInformation (block);
        ASSERT_TRUE (file.replaceWithData (block.getData(), block.getSize()));
    }

    void setEchoMix (float value)
    {
        auto* p = processor.apvts.getParameter (PluginParameters::echoMixID);
        p->setValueNotifyingHost (p->convertTo0to1 (value));
    }

    float echoMix() { return processor.apvts.getRawParameterValue (PluginParameters::echoMixID)->load(); }

    juce::Button& button (int index) { return *dynamic_cast<juce::Button*> (panel->getChildComponent (index)); }
    juce::String shownName() { return button (nameButton).getButtonText(); }
    void paint() { panel->createComponentSnapshot (panel->getLocalBounds()); }

    static constexpr int nameButton = 0, saveButton = 1, previousButton = 2, nextButton = 3;

    juce::TemporaryFile root { "presets" };
    WarbloomAudioProcessor processor;
    ScriptedDialogs* dialogs = nullptr;
    std::unique_ptr<PatchPanel> panel;

    void open() { panel = std::make_unique<PatchPanel> (&processor); }
    ~PatchFixture() { root.getFile().deleteRecursively(); }
};

// The save button comes out 18 high at the reference size: 41 / (41 / 19) truncates below 19.
const std::vector<Placement> patchLayout {
    { "name button", { 44, 11, 403, 20 }, { 88, 22, 806, 40 } },
    { "save button", { 460, 13, 47, 18 }, { 920, 26, 94, 37 } },
    { "previous arrow", { 5, 13, 18, 18 }, { 10, 26, 36, 36 } },
    { "next arrow", { 25, 13, 18, 18 }, { 50, 26, 36, 36 } },
};
} // namespace

TEST (PatchPanel, LayoutAtReferenceSizeAndDoubled)
{
    PatchFixture f;
    f.open();
    ASSERT_EQ (f.panel->getBounds(), juce::Rectangle<int> (0, 0, 520, 41));
    expectPlacements (*f.panel, childrenOf (*f.panel), patchLayout, 520, 41);
}

TEST (PatchPanel, ArrowsStepWithinTheFolderAndTheNameFollowsOnPaint)
{
    PatchFixture f;
    f.writePreset ("Alpha", 10.0f);
    f.writePreset ("Charlie", 30.0f);
    f.writePreset ("Bravo", 20.0f);
    f.presets().presetName = "Bravo";
    f.open();
    ASSERT_EQ (f.shownName(), "Bravo");

    struct Step
    {
        int arrow;
        const char* name;
        float echoMix;
    };
    const Step steps[] = {
        { PatchFixture::nextButton, "Charlie", 30.0f },
        { PatchFixture::nextButton, "Alpha", 10.0f }, // wraps within the folder
        { PatchFixture::previousButton, "Charlie", 30.0f },
    };

    for (const auto& step : steps)
    {
        const auto before = f.shownName();
        f.button (step.arrow).onClick();
        EXPECT_EQ (f.presets().presetName, step.name);
        EXPECT_FLOAT_EQ (f.echoMix(), step.echoMix) << step.name;
        EXPECT_EQ (f.shownName(), before) << "the step itself leaves the button alone";

        f.paint();
        EXPECT_EQ (f.shownName(), step.name);
    }

    EXPECT_EQ (f.dialogs->menusShown, 0);
}

TEST (PatchPanel, ArrowsWithoutPresetFilesChangeNothing)
{
    PatchFixture f;
    f.setEchoMix (42.0f);
    f.open();

    f.button (PatchFixture::nextButton).onClick();
    f.paint();

    EXPECT_FLOAT_EQ (f.echoMix(), 42.0f);
    EXPECT_EQ (f.shownName(), "Untitled");
    EXPECT_TRUE (f.presets().presetPath.isEmpty());
}

// A name of 1 to 3 characters ends a run of presets: stepping on from one at the end of its
// folder finds no file, and must not reload the current one over the user's edits.
TEST (PatchPanel, SteppingOnFromAShortNameAtTheEndOfItsFolderKeepsTheEdits)
{
    PatchFixture f;
    f.writePreset ("Alpha", 10.0f);
    f.writePreset ("Zed", 30.0f);
    const auto zed = f.presets().presetPath;
    f.presets().presetName = "Zed";
    f.setEchoMix (55.0f);
    f.open();

    f.button (PatchFixture::nextButton).onClick();
    EXPECT_FLOAT_EQ (f.echoMix(), 55.0f);
    EXPECT_EQ (f.presets().presetPath, zed);

    f.button (PatchFixture::previousButton).onClick();
    EXPECT_FLOAT_EQ (f.echoMix(), 10.0f) << "the step back still reaches Alpha";
    EXPECT_EQ (f.presets().presetName, "Alpha");
}

TEST (PatchPanel, LoadingFromTheMenuShowsTheNameAtOnce)
{
    PatchFixture f;
    f.writePreset ("Warm", 55.0f);
    f.setEchoMix (5.0f);
    f.presets().presetPath.clear();
    f.open();
    EXPECT_EQ (f.shownName(), "Untitled");

    f.dialogs->choose = {};
    f.button (PatchFixture::nameButton).triggerClick();
    juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
    EXPECT_EQ (f.dialogs->menusShown, 1);
    EXPECT_FLOAT_EQ (f.echoMix(), 5.0f) << "a cancelled menu changes nothing";
    EXPECT_EQ (f.shownName(), "Untitled");

    f.dialogs->choose = choosePreset ("Warm");
    f.button (PatchFixture::nameButton).triggerClick();
    juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
    EXPECT_FLOAT_EQ (f.echoMix(), 55.0f);
    EXPECT_EQ (f.shownName(), "Warm");
}

TEST (PatchPanel, SavingUnderANewNameShowsItAtOnce)
{
    PatchFixture f;
    f.setEchoMix (66.0f);
    f.open();

    f.dialogs->choose = [] (juce::PopupMenu& menu)
    { return itemWhere (menu, [] (const juce::PopupMenu::Item& item)
                        { return item.itemID >= PresetBrowser::firstSaveAsId; }); };
    f.dialogs->typedName = "Night";
    f.button (PatchFixture::saveButton).triggerClick();
    juce::MessageManager::getInstance()->runDispatchLoopUntil (20);

    EXPECT_EQ (f.shownName(), "Night");
    EXPECT_TRUE (f.presetFile ("Night").existsAsFile());
}
