#include "ParameterRestore.h"

#include <cmath>

juce::AudioProcessorParameter* findParameter (juce::AudioProcessor& processor, const juce::String& id)
{
    for (auto* parameter : processor.getParameters())
        if (auto* withId = dynamic_cast<juce::AudioProcessorParameterWithID*> (parameter); withId != nullptr && withId->paramID == id)
            return parameter;

    return nullptr;
}

void restoreParameter (juce::AudioProcessorParameter& parameter, double value)
{
    if (! std::isfinite (value))
        return;

    const auto v = (float) juce::jlimit (0.0, 1.0, value);
    parameter.setValue (v);
    parameter.sendValueChangedMessageToListeners (v);
}
