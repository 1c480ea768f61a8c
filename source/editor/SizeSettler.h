#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// Keeps an editor at a size its constrainer allows, whoever sizes it: a restored state and a host
// that resizes its window without checking the size first can both give one off the ratio or the
// limits. The editor then takes the size that JUCE's VST3 view answers to the host's size check for
// the same box, and asks the host's window for it the way a drag of its corner does.
class SizeSettler : private juce::AsyncUpdater
{
public:
    explicit SizeSettler (juce::AudioProcessorEditor& editor);
    ~SizeSettler() override;

    // From the editor's resized(): true when the size was off and the editor has just been given
    // the settled one, which runs resized() again.
    bool settle();

    // From the editor's parentSizeChanged(): notes whether the host's window took the editor's size.
    void parentResized();

private:
    void handleAsyncUpdate() override;

    // Ardour's window under openbox offers the pointer's size up to 10 times at one point of a drag
    // of its border, each time after following the request, and again when the drag ends; a host
    // that keeps its own size is still left alone after a fraction of a second.
    static constexpr int maxRequestsPerOffer = 32;

    juce::AudioProcessorEditor& editor;
    juce::Rectangle<int> lastOffer;
    int requestsForLastOffer = 0;
    bool hostFollowed = false;
    bool settingOwnSize = false;
};
