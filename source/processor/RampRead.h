#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// One read of a linear ramp in a sample loop. Loops that run only while no ramp is moving pass
// false and read the target, which is exactly what getNextValue gives a ramp at rest.
template <bool ramping>
float nextRampValue (juce::SmoothedValue<float, juce::ValueSmoothingTypes::Linear>& ramp)
{
    if constexpr (ramping)
        return ramp.getNextValue();
    else
        return ramp.getTargetValue();
}
