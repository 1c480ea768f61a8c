#include "EditorResizeRequest.h"

EditorResizeRequest::EditorResizeRequest (juce::AudioProcessor& owner)
    : processor (owner)
{
}

void EditorResizeRequest::request (int width, int height)
{
    pendingSize.store (((juce::uint64) (juce::uint32) width << 32) | (juce::uint32) height, std::memory_order_relaxed);

    if (juce::MessageManager::existsAndIsCurrentThread())
    {
        cancelPendingUpdate();
        handleAsyncUpdate();
    }
    else if (juce::MessageManager::getInstanceWithoutCreating() != nullptr)
    {
        triggerAsyncUpdate();
    }
}

void EditorResizeRequest::handleAsyncUpdate()
{
    const auto size = pendingSize.load (std::memory_order_relaxed);

    if (auto* editor = processor.getActiveEditor())
        editor->setBounds (editor->getX(), editor->getY(), (int) (juce::uint32) (size >> 32), (int) (juce::uint32) size);
}
