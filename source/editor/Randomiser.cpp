#include "Randomiser.h"

#include "presets/SubPresets.h"

std::uint32_t SeedX = initialSeedX;
std::uint32_t XorU = initialXorU;

namespace
{
juce::AudioProcessorParameter* findParameter (const juce::Array<juce::AudioProcessorParameter*>& parameters,
                                              const juce::String& parameterID)
{
    for (auto* parameter : parameters)
        if (auto* withID = dynamic_cast<juce::AudioProcessorParameterWithID*> (parameter))
            if (withID->paramID == parameterID)
                return parameter;

    return nullptr;
}
} // namespace

float nextRandom()
{
    // A word that comes out as 0 starts again from its load value.
    XorU ^= SeedX;
    if (XorU == 0)
        XorU = initialXorU;

    SeedX += XorU;
    if (SeedX == 0)
        SeedX = initialSeedX;

    return (float) ((double) SeedX * 2.3283064365386963e-10);
}

void randomizeGroup (const SubPresetST& group, const juce::Array<juce::AudioProcessorParameter*>& parameters)
{
    // The walk stays within the group's entries even where no end entry follows (groups 4 to 19).
    for (const auto& entry : group.entries)
    {
        if (entry.kind == SubPresetKind::endOfList)
            return;

        // Entries stored with their group that keep their value when it is randomised.
        if ((entry.kind & SubPresetKind::notRandomisedMask) != 0)
            continue;

        auto* parameter = findParameter (parameters, entry.parameterID);
        if (parameter == nullptr)
            continue;

        // What setValueNotifyingHost does, without a gesture around it.
        const auto value = nextRandom();
        parameter->setValue (value);
        parameter->sendValueChangedMessageToListeners (value);
    }
}

void randomizeSubPreset (juce::AudioProcessor& processor, int index)
{
    if (! juce::isPositiveAndBelow (index, numSubPresetGroups))
        return;

    randomizeGroup (SubPresets[index], processor.getParameters());
}
