#pragma once

#include "RateTables.h"

#include <array>

// Step clock of an 8-step gate; the tone gate and the echo modulation gate each own one.
// The owner sets it from the block's tempo and position and advances ppq once per sample.
class GateClock
{
public:
    void startBlock (double newBpm, double newPpq)
    {
        bpm = newBpm;
        ppq = newPpq;
        beatsPerSample = (bpm / 60.0) / sampleRate;
        samplesPerBeat = bpm != 0.0 ? sampleRate / (bpm / 60.0) : 0.0;
    }

    // Position within a pattern of patternBeats, rounded to float; stored wrapped below 1.
    float patternPhase (double patternBeats)
    {
        const auto p = static_cast<float> (beatPhase (ppq, patternBeats));
        phase = p >= 1.0f ? p - 1.0f : p;
        return p;
    }

    // Stores the phase that a sample at the given position would have left, for owners that
    // need the phase only at the end of a block.
    void storePhaseAt (double position, double patternBeats)
    {
        const auto current = ppq;
        ppq = position;
        patternPhase (patternBeats);
        ppq = current;
    }

    void advance() { ppq += beatsPerSample; }

    double phase = 0.0;
    double sampleRate = -1.0;
    double periodSamples = 0.0;
    double stepCount = 0.0;
    double bpm = 0.0;
    double beatsPerSample = 0.0;
    double ppq = 0.0;
    double samplesPerBeat = 0.0;
    bool enabled = false;
};

// The eight step values of a block (0 for a lit step, 1 for an unlit one) and the seven upper
// step boundaries within the pattern.
struct GatePattern
{
    void setSteps (const std::array<bool, 8>& stepOn)
    {
        for (std::size_t k = 0; k < stepOn.size(); ++k)
            stepValues[k] = stepOn[k] ? 0.0f : 1.0f;
    }

    // When every step has the same value the phase cannot change the result.
    bool isUniform() const
    {
        for (auto value : stepValues)
            if (value != stepValues[0])
                return false;

        return true;
    }

    float valueAt (float p) const
    {
        for (std::size_t k = 0; k < boundaries.size(); ++k)
            if (p <= boundaries[k])
                return stepValues[k];

        return stepValues.back();
    }

    std::array<float, 7> boundaries {};
    std::array<float, 8> stepValues {};
};
