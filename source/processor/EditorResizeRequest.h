#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>

// Gives the processor's open editor a restored size on the message thread. A state block read on
// a host thread only leaves the size here; the editor is looked up when the request is delivered,
// so one closed in the meantime is never touched.
class EditorResizeRequest : private juce::AsyncUpdater
{
public:
    explicit EditorResizeRequest (juce::AudioProcessor& owner);

    // Any thread. On the message thread the editor is resized at once; of several requests made
    // elsewhere before delivery, the last one wins. Without a message thread there is no editor.
    void request (int width, int height);

private:
    void handleAsyncUpdate() override;

    juce::AudioProcessor& processor;

    // Width in the high half, height in the low half, so a request never mixes two sizes.
    std::atomic<juce::uint64> pendingSize { 0 };
};
