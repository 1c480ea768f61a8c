#include "editor/support/PixelProbes.h"
#include "editor/Theme.h"
#include "editor/WarbloomAudioProcessorEditor.h"
#include "PanelTestSupport.h"
#include "PlacementTable.h"
#include "presets/PresetManager.h"

#include <cstring>
#include <string>
#include <thread>

namespace
{
using namespace panel_test;
using ComponentImage::hasColour;
using P = PluginParameters;

// Children in the order the editor adds them; the About overlay comes last, on top.
constexpr int toneIndex = 1;
constexpr int echoIndex = 2;
constexpr int masterIndex = 3;
constexpr int aboutButtonIndex = 4;
constexpr int aboutPanelIndex = 5;

// The tone and echo panels come out 708 wide at 748: 748 / (748 / 709) truncates below 709.
const std::vector<Placement> editorLayout {
    { "patch panel", { 207, 1, 520, 41 }, { 414, 2, 1040, 82 } },
    { "tone panel", { 18, 41, 708, 146 }, { 36, 82, 1417, 292 } },
    { "echo panel", { 18, 196, 708, 115 }, { 36, 392, 1417, 230 } },
    { "master panel", { 1, 314, 748, 71 }, { 2, 628, 1496, 142 } },
    { "About button", { 24, 7, 152, 23 }, { 48, 14, 304, 46 } },
    { "About overlay", { 0, 0, 748, 385 }, { 0, 0, 1496, 770 } },
};

// A few controls of each panel, by their place among the panel's children.
const std::vector<ExpectedChild> toneControls {
    { "split knob", {}, &P::bandSplitterID },
    { "drive knob", {}, &P::inputDriveID },
    { "bass frequency knob", {}, &P::bassFreqID },
};
const std::vector<ExpectedChild> echoControls {
    { "rate 1 box", {}, &P::echoRate1ID },
    { "rate 2 box", {}, &P::echoRate2ID },
    { "link switch", {}, &P::echoRateLinkID },
    { "PINGPONG switch", {}, &P::echoPingPongModeID },
};
const std::vector<ExpectedChild> masterControls {
    { "output gain knob", {}, &P::outputGainID },
    { "TOTAL knob", {}, &P::modTotalID },
    { "dry/wet knob", {}, &P::dryWetMixID },
    { "Freakout fader", {}, &P::freakoutID },
    { "HOLD", {}, &P::freakoutLatchID },
    { "Freakout rate box", {}, &P::freakoutRateID },
    { "ECHO", {}, &P::freakoutEchoID },
    { "FILTER", {}, &P::freakoutFilterID },
};

// The editor's own children, without the resizable corner that JUCE keeps on top of them.
std::vector<juce::Component*> ownChildren (juce::Component& editor)
{
    std::vector<juce::Component*> children;
    for (auto* child : editor.getChildren())
        if (dynamic_cast<juce::ResizableCornerComponent*> (child) == nullptr)
            children.push_back (child);
    return children;
}

std::unique_ptr<juce::AudioProcessorEditor> openEditor (WarbloomAudioProcessor& processor)
{
    return std::unique_ptr<juce::AudioProcessorEditor> (processor.createEditorIfNeeded());
}

void paint (juce::Component& editor)
{
    ComponentImage::paint (editor, editor.getWidth(), editor.getHeight());
}

juce::MemoryBlock stateOf (WarbloomAudioProcessor& processor)
{
    juce::MemoryBlock block;
    processor.getStateInformation (block);
    return block;
}

// A host state saved while the editor was open at twice its design size.
juce::MemoryBlock stateSavedAtDoubleSize()
{
    WarbloomAudioProcessor processor;
    auto editor = openEditor (processor);
    editor->setSize (1496, 770);
    paint (*editor);
    return stateOf (processor);
}

int numberOfAttachedControls (PluginParameters& parameters)
{
    return heldAttachments (parameters, "Tone") + heldAttachments (parameters, "Echo") + heldAttachments (parameters, "Master");
}
} // namespace

TEST (ProcessorEditor, LayoutAtDesignSizeAndDoubled)
{
    WarbloomAudioProcessor processor;
    auto editor = openEditor (processor);
    EXPECT_EQ (editor->getLocalBounds(), juce::Rectangle<int> (748, 385));
    expectPlacements (*editor, ownChildren (*editor), editorLayout, 748, 385);
}

TEST (ProcessorEditor, ResizesOnlyBetweenOneAndTwiceItsSizeAtAFixedRatio)
{
    WarbloomAudioProcessor processor;
    auto editor = openEditor (processor);
    auto& constrainer = *editor->getConstrainer();

    EXPECT_TRUE (editor->isResizable());
    EXPECT_EQ (constrainer.getMinimumWidth(), 748);
    EXPECT_EQ (constrainer.getMinimumHeight(), 385);
    EXPECT_EQ (constrainer.getMaximumWidth(), 1496);
    EXPECT_EQ (constrainer.getMaximumHeight(), 770);
    EXPECT_DOUBLE_EQ (constrainer.getFixedAspectRatio(), 748.0 / 385.0);

    for (const auto& wanted : { juce::Rectangle<int> (3000, 700), juce::Rectangle<int> (200, 100), juce::Rectangle<int> (1000, 385) })
    {
        editor->setBoundsConstrained (wanted);
        const auto size = editor->getLocalBounds();
        EXPECT_TRUE (size.getWidth() >= 748 && size.getWidth() <= 1496 && size.getHeight() >= 385 && size.getHeight() <= 770) << size.toString();
        EXPECT_NEAR ((double) size.getWidth() / size.getHeight(), 748.0 / 385.0, 0.01) << size.toString();
    }
}

// A size that skips the constrainer, as a restored state or a host's window gives, settles on the
// largest size at the ratio that fits the offered box within the limits; the sizes a drag of the
// corner gives stay as they are, so sizes stored by earlier sessions open unchanged.
TEST (ProcessorEditor, AnOffRatioSizeSettlesOnTheLargestRatioSizeInsideItsBox)
{
    WarbloomAudioProcessor processor;
    auto editor = openEditor (processor);

    const std::pair<juce::Rectangle<int>, juce::Rectangle<int>> offers[] = {
        { { 748, 770 }, { 748, 385 } },
        { { 1496, 385 }, { 748, 385 } },
        { { 1200, 466 }, { 906, 466 } },
        { { 1300, 586 }, { 1139, 586 } },
        { { 100000, 100000 }, { 1496, 770 } },
        { { 1, 1 }, { 748, 385 } },
    };
    for (const auto& [offered, settled] : offers)
    {
        editor->setSize (offered.getWidth(), offered.getHeight());
        EXPECT_EQ (editor->getLocalBounds(), settled) << offered.toString();
        EXPECT_EQ (ownChildren (*editor)[aboutPanelIndex]->getBounds(), settled) << offered.toString();
    }

    // JUCE's constrainer rounds the dragged extent's counterpart to the nearest pixel.
    for (int width = 748; width <= 1496; ++width)
    {
        const juce::Rectangle<int> dragged (width, juce::roundToInt (width * 385.0 / 748.0));
        editor->setSize (dragged.getWidth(), dragged.getHeight());
        ASSERT_EQ (editor->getLocalBounds(), dragged);
    }
}

TEST (ProcessorEditor, ReopensAtTheLastPaintedSizeWhichTheStateCarries)
{
    WarbloomAudioProcessor processor;
    {
        auto editor = openEditor (processor);
        editor->setSize (1496, 770);
        paint (*editor);
    }

    auto reopened = openEditor (processor);
    EXPECT_EQ (reopened->getLocalBounds(), juce::Rectangle<int> (1496, 770));

    const auto block = stateOf (processor);
    const auto* bytes = static_cast<const char*> (block.getData());
    const auto* text = std::find (bytes, bytes + block.getSize(), '<');
    const auto state = juce::String::fromUTF8 (text, (int) (bytes + block.getSize() - text));
    EXPECT_TRUE (state.contains ("GUI_W:=\"1496")) << state;
    EXPECT_TRUE (state.contains ("GUI_H:=\"770")) << state;
}

TEST (ProcessorEditor, AStateRestoredBeforeTheFirstPaintResizesTheEditor)
{
    const auto state = stateSavedAtDoubleSize();

    {
        WarbloomAudioProcessor processor;
        auto editor = openEditor (processor);
        processor.setStateInformation (state.getData(), (int) state.getSize());
        EXPECT_EQ (editor->getLocalBounds(), juce::Rectangle<int> (1496, 770)) << "restored before the first paint";
    }
    {
        WarbloomAudioProcessor processor;
        auto editor = openEditor (processor);
        paint (*editor);
        processor.setStateInformation (state.getData(), (int) state.getSize());
        EXPECT_EQ (editor->getLocalBounds(), juce::Rectangle<int> (748, 385)) << "restored after the first paint";

        editor.reset();
        EXPECT_EQ (openEditor (processor)->getLocalBounds(), juce::Rectangle<int> (1496, 770)) << "the next editor opens at the restored size";
    }
}

TEST (ProcessorEditor, AStateRestoredOnAHostThreadResizesOnTheMessageThread)
{
    const auto state = stateSavedAtDoubleSize();
    const auto restoreOnHostThread = [&] (WarbloomAudioProcessor& processor)
    {
        std::thread host ([&]
                          { processor.setStateInformation (state.getData(), (int) state.getSize()); });
        host.join();
    };

    WarbloomAudioProcessor processor;
    {
        auto editor = openEditor (processor);
        restoreOnHostThread (processor);
        EXPECT_EQ (editor->getLocalBounds(), juce::Rectangle<int> (748, 385)) << "components change on the message thread only";
        deliverPendingMessages();
        EXPECT_EQ (editor->getLocalBounds(), juce::Rectangle<int> (1496, 770));
    }

    // An editor closed before the handed-over resize arrives is simply not resized.
    processor.presetManager->savedEditorWidth = 0;
    auto editor = openEditor (processor);
    restoreOnHostThread (processor);
    editor.reset();
    deliverPendingMessages();
    EXPECT_EQ (processor.getActiveEditor(), nullptr);
}

TEST (ProcessorEditor, ADamagedStoredSizeOpensWithinTheLimits)
{
    WarbloomAudioProcessor processor;
    auto& presets = *processor.presetManager;

    const std::pair<int, int> stored[] = { { 100000, 100000 }, { -5, -5 }, { 1, 770 } };
    for (const auto& [width, height] : stored)
    {
        presets.savedEditorWidth = width;
        presets.savedEditorHeight = height;
        auto editor = openEditor (processor);
        const auto size = editor->getLocalBounds();
        EXPECT_TRUE (size.getWidth() >= 748 && size.getWidth() <= 1496 && size.getHeight() >= 385 && size.getHeight() <= 770)
            << width << " x " << height << " opened at " << size.toString();
    }
}

TEST (ProcessorEditor, ADamagedRestoredSizeStaysWithinTheLimits)
{
    auto state = stateSavedAtDoubleSize();
    auto* bytes = static_cast<char*> (state.getData());
    const std::string text (bytes, state.getSize());
    for (const auto& [from, to] : { std::pair { "GUI_W:=\"1496.0\"", "GUI_W:=\"999999\"" }, std::pair { "GUI_H:=\"770.0\"", "GUI_H:=\"-7000\"" } })
    {
        const auto at = text.find (from);
        ASSERT_NE (at, std::string::npos) << from;
        std::copy (to, to + std::strlen (to), bytes + at);
    }

    WarbloomAudioProcessor processor;
    auto editor = openEditor (processor);
    processor.setStateInformation (state.getData(), (int) state.getSize());

    // Within the limits the box is 1496 x 385, and the largest size at the ratio inside it 748 x 385.
    EXPECT_EQ (editor->getLocalBounds(), juce::Rectangle<int> (748, 385));
    EXPECT_EQ (ownChildren (*editor)[aboutPanelIndex]->getBounds(), juce::Rectangle<int> (748, 385));
}

TEST (ProcessorEditor, TheTitleOpensTheAboutOverlayAboveEverything)
{
    WarbloomAudioProcessor processor;
    auto editor = openEditor (processor);
    const auto children = ownChildren (*editor);
    auto& about = *children[aboutPanelIndex];
    auto& title = dynamic_cast<juce::Button&> (*children[aboutButtonIndex]);

    EXPECT_FALSE (about.isVisible());
    const auto closed = ComponentImage::paint (*editor, 748, 385);

    title.triggerClick();
    deliverPendingMessages();
    ASSERT_TRUE (about.isVisible());
    EXPECT_EQ (&about, ownChildren (*editor).back()) << "above the panels and the title button";

    const auto open = ComponentImage::paint (*editor, 748, 385);
    for (const auto& [x, y] : { std::pair { 5, 200 }, std::pair { 88, 101 }, std::pair { 700, 360 } })
        EXPECT_TRUE (hasColour (open, x, y, ComponentImage::over (ComponentImage::pixel (closed, x, y), overlayScreen))) << x << ", " << y;
    EXPECT_TRUE (hasColour (open, 150, 80, juce::Colour (0xFF292E2F)));
}

TEST (ProcessorEditor, DrawsBackgroundLogoTitleAndPanels)
{
    WarbloomAudioProcessor processor;
    auto editor = openEditor (processor);

    for (const auto scale : { 1, 2 })
    {
        const auto image = ComponentImage::paint (*editor, 748 * scale, 385 * scale);
        const auto at = [&] (int x, int y, juce::Colour colour)
        { return hasColour (image, x * scale, y * scale, colour); };

        EXPECT_TRUE (at (5, 200, backgroundColour)) << scale;
        EXPECT_TRUE (at (88, 101, panelColour)) << "tone panel, scale " << scale;
        EXPECT_TRUE (at (83, 296, panelColour)) << "echo panel, scale " << scale;
        EXPECT_TRUE (at (200, 333, orangeLineColour)) << "master panel bar, scale " << scale;

        // The logo and the title are drawn inside their rectangles and nowhere around them.
        for (const auto& area : { juce::Rectangle<int> (19, 327, 117, 42), juce::Rectangle<int> (23, 10, 175, 22) })
        {
            const auto drawn = ComponentImage::boundsOfPixelsNot (image, backgroundColour, area * scale);
            EXPECT_FALSE (drawn.isEmpty()) << area.toString() << " at scale " << scale;
            EXPECT_EQ (ComponentImage::boundsOfPixelsNot (image, backgroundColour, area.expanded (4) * scale), drawn) << area.toString() << " at scale " << scale;
        }
    }
}

TEST (ProcessorEditor, ReopeningManyTimesKeepsEveryControlAtItsParameter)
{
    WarbloomAudioProcessor processor;
    juce::Random random (2024);
    std::vector<ExpectedChild> moved (toneControls);
    moved.insert (moved.end(), echoControls.begin(), echoControls.end());
    moved.insert (moved.end(), masterControls.begin(), masterControls.end());

    for (int opening = 0; opening < 200; ++opening)
    {
        {
            auto editor = openEditor (processor);
            deliverPendingMessages();
            ASSERT_EQ (numberOfAttachedControls (processor.pluginParameters), 65) << opening;

            // With the link on, opening copies rate 1 into rate 2.
            if (valueOf (processor, P::echoRateLinkID) >= 0.5f)
            {
                EXPECT_EQ (valueOf (processor, P::echoRate2ID), valueOf (processor, P::echoRate1ID)) << opening;
            }

            const auto children = ownChildren (*editor);
            expectControlsShowParameters (*children[toneIndex], toneControls, processor);
            expectControlsShowParameters (*children[echoIndex], echoControls, processor);
            expectControlsShowParameters (*children[masterIndex], masterControls, processor);
            paint (*editor);
        }
        ASSERT_EQ (numberOfAttachedControls (processor.pluginParameters), 0) << opening;
        EXPECT_EQ (processor.getActiveEditor(), nullptr);

        // The host moves them while the editor is closed.
        moveParameters (processor, moved, random);
    }
}
