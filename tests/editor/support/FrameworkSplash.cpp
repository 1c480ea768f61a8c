#include "FrameworkSplash.h"

#include "ComponentImage.h"
#include "processor/WarbloomAudioProcessor.h"

namespace FrameworkSplash
{
juce::Component* over (juce::Component& editor)
{
    for (auto* child : editor.getChildren())
        if (dynamic_cast<juce::JUCESplashScreen*> (child) != nullptr)
            return child;
    return nullptr;
}

bool waitOut()
{
    WarbloomAudioProcessor processor;
    const std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditor());
    const juce::Component::SafePointer<juce::Component> splash (over (*editor));

    if (splash == nullptr)
        return false;

    // The splash starts its clock when it first paints.
    ComponentImage::paint (*editor, editor->getWidth(), editor->getHeight());

    // Once it fades, its time is over for every later editor.
    const auto fading = [&splash]
    { return splash == nullptr || splash->getAlpha() < 1.0f; };

    const auto deadline = juce::Time::getMillisecondCounter() + 10000;
    while (! fading() && juce::Time::getMillisecondCounter() < deadline)
        juce::MessageManager::getInstance()->runDispatchLoopUntil (50);

    return fading();
}
} // namespace FrameworkSplash
