#include "WarbloomAudioProcessorEditor.h"

#include "editor/Theme.h"
#include "presets/PresetManager.h"
#include "processor/WarbloomAudioProcessor.h"

#include <BinaryData.h>

WarbloomAudioProcessorEditor::WarbloomAudioProcessorEditor (WarbloomAudioProcessor& p)
    : juce::AudioProcessorEditor (p),
      processor (&p),
      patchPanel (&p),
      tonePanel (&p),
      echoPanel (&p),
      masterPanel (&p)
{
    setResizable (true, true);
    setResizeLimits (referenceWidth, referenceHeight, 2 * referenceWidth, 2 * referenceHeight);
    getConstrainer()->setFixedAspectRatio ((double) referenceWidth / (double) referenceHeight);

    // Until the first paint a restored host state may still resize this editor.
    auto& presets = *processor->presetManager;
    presets.resizeEditorOnLoad.store (-1, std::memory_order_relaxed);
    presets.editorWidth.store (referenceWidth, std::memory_order_relaxed);
    presets.editorHeight.store (referenceHeight, std::memory_order_relaxed);

    auto width = referenceWidth;
    auto height = referenceHeight;

    if (const auto savedWidth = presets.savedEditorWidth.load (std::memory_order_relaxed); savedWidth != 0)
    {
        width = savedWidth;
        height = presets.savedEditorHeight.load (std::memory_order_relaxed);
        presets.editorWidth.store (width, std::memory_order_relaxed);
        presets.editorHeight.store (height, std::memory_order_relaxed);
    }

    setBounds (getX(), getY(), width, height);

    logoImage = juce::ImageCache::getFromMemory (BinaryData::logo_png, BinaryData::logo_pngSize);
    titleImage = juce::ImageCache::getFromMemory (BinaryData::title_png, BinaryData::title_pngSize);

    for (auto* panel : std::initializer_list<juce::Component*> { &patchPanel, &tonePanel, &echoPanel, &masterPanel })
        addAndMakeVisible (panel);

    aboutButton.setButtonText (juce::translate (""));
    aboutButton.addListener (this);
    aboutButton.setLookAndFeel (&emptyButtonLookAndFeel.get());
    aboutButton.setClickingTogglesState (false);
    addAndMakeVisible (aboutButton);

    // Hidden until the title is clicked; then it lies above the panels and the title button.
    addChildComponent (aboutPanel);
    aboutPanel.toFront (false);
}

WarbloomAudioProcessorEditor::~WarbloomAudioProcessorEditor()
{
    auto& presets = *processor->presetManager;

    // A state restored while this editor is going away must not try to resize it.
    presets.resizeEditorOnLoad.store (0, std::memory_order_relaxed);

    // The next editor opens at the last painted size.
    presets.savedEditorWidth.store (presets.editorWidth.load (std::memory_order_relaxed), std::memory_order_relaxed);
    presets.savedEditorHeight.store (presets.editorHeight.load (std::memory_order_relaxed), std::memory_order_relaxed);

    aboutButton.setLookAndFeel (nullptr);
}

void WarbloomAudioProcessorEditor::paint (juce::Graphics& g)
{
    g.fillAll (backgroundColour);

    if (logoImage.isValid())
        g.drawImage (logoImage, layout.area ({ 19, 327, 117, 42 }, *this), juce::RectanglePlacement::stretchToFit);

    if (titleImage.isValid())
        g.drawImage (titleImage, layout.area ({ 23, 10, 175, 22 }, *this), juce::RectanglePlacement::stretchToFit);

    auto& presets = *processor->presetManager;
    presets.resizeEditorOnLoad.store (0, std::memory_order_relaxed);
    presets.editorWidth.store (getWidth(), std::memory_order_relaxed);
    presets.editorHeight.store (getHeight(), std::memory_order_relaxed);
}

void WarbloomAudioProcessorEditor::resized()
{
    // A restored state and the host's window may offer a size off the ratio or beyond the limits.
    if (sizeSettler.settle())
        return;

    const std::pair<juce::Component*, DesignRect> placements[] = {
        { &patchPanel, { 207, 1, 520, 41 } },
        { &tonePanel, { 18, 41, 709, 146 } },
        { &echoPanel, { 18, 196, 709, 115 } },
        { &masterPanel, { 1, 314, (float) referenceWidth, 71 } },
        { &aboutButton, { 24, 7, 152, 23 } },
    };

    for (const auto& [component, rect] : placements)
        component->setBounds (layout.bounds (rect, *this));

    aboutPanel.setBounds (getBounds());
}

void WarbloomAudioProcessorEditor::parentSizeChanged()
{
    sizeSettler.parentResized();
}

void WarbloomAudioProcessorEditor::buttonClicked (juce::Button* button)
{
    if (button == &aboutButton)
        aboutPanel.setVisible (true);
}
