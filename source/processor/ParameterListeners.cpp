#include "ParameterListeners.h"

#include <cmath>
#include <limits>

void FloatListener::parameterChanged (const juce::String&, float newValue)
{
    // A non-finite value would poison every block that reads the field; keep the last good one.
    if (std::isfinite (newValue))
        target->store (newValue * scale, std::memory_order_relaxed);
}

void FloatDecibelListener::parameterChanged (const juce::String&, float newValue)
{
    // NaN fails the comparison and so lands on silence, as does minus infinity.
    const float gain = newValue > minusInfinityDb ? std::pow (10.0f, newValue * 0.05f) : 0.0f;
    target->store (gain, std::memory_order_relaxed);
}

void BoolListener::parameterChanged (const juce::String&, float newValue)
{
    target->store (newValue >= 0.5f, std::memory_order_relaxed);
}

void IntegerListener::parameterChanged (const juce::String&, float newValue)
{
    // Truncating a value outside the int range is undefined; such a value never names a choice.
    if (! std::isfinite (newValue) || std::abs (newValue) >= 2147483520.0f)
        return;

    target->store (static_cast<int32_t> (newValue) * multiplier + offset, std::memory_order_relaxed);
}
