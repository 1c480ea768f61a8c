#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <cmath>

// Output gain on the processed signal and the equal-power dry/wet mix, both ramped.
class OutputSmoothers
{
public:
    using Smoother = juce::SmoothedValue<float, juce::ValueSmoothingTypes::Linear>;

    void prepare (double sampleRate)
    {
        gain.reset (sampleRate, 0.01);
        mix.reset (sampleRate, 0.01);
    }

    // right and dryRight are null for a single output channel.
    void process (float* left, float* right, const float* dryLeft, const float* dryRight, int numSamples, float gainTarget, float mixTarget)
    {
        gain.setTargetValue (gainTarget);
        mix.setTargetValue (mixTarget);

        for (int i = 0; i < numSamples; ++i)
        {
            const auto g = gain.getNextValue();
            const auto m = mix.getNextValue();
            const auto wetLevel = std::sqrt (m);
            const auto dryLevel = std::sqrt (1.0f - m);

            left[i] = left[i] * g * wetLevel + dryLeft[i] * dryLevel;

            if (right != nullptr)
                right[i] = right[i] * g * wetLevel + dryRight[i] * dryLevel;
        }
    }

    Smoother gain;
    Smoother mix;
};
