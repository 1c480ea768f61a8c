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

        // A settled mix needs its two levels only once.
        auto m = mix.getTargetValue();
        auto wetLevel = std::sqrt (m);
        auto dryLevel = std::sqrt (1.0f - m);

        for (int i = 0; i < numSamples; ++i)
        {
            const auto g = gain.getNextValue();
            if (mix.isSmoothing())
            {
                m = mix.getNextValue();
                wetLevel = std::sqrt (m);
                dryLevel = std::sqrt (1.0f - m);
            }

            left[i] = left[i] * g * wetLevel + dryLeft[i] * dryLevel;

            if (right != nullptr)
                right[i] = right[i] * g * wetLevel + dryRight[i] * dryLevel;
        }
    }

    Smoother gain;
    Smoother mix;
};
