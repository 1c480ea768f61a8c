#include "TestSignal.h"

namespace warbloom::render
{
juce::AudioBuffer<float> makeTestSignal (double sampleRate, double seconds, double tempo)
{
    const auto numSamples = juce::jmax (1, static_cast<int> (seconds * sampleRate));
    juce::AudioBuffer<float> signal (2, numSamples);
    signal.clear();

    const auto samplesPerBeat = sampleRate * 60.0 / tempo;
    const auto chordStart = numSamples / 2;

    for (double position = 0.0; position < chordStart; position += samplesPerBeat)
    {
        const auto index = static_cast<int> (position);
        signal.setSample (0, index, 0.8f);
        signal.setSample (1, index, 0.8f);
    }

    const double chord[] = { 220.0, 261.6255653, 329.6275569 };

    for (int i = chordStart; i < numSamples; ++i)
    {
        const auto t = (i - chordStart) / sampleRate;
        const auto envelope = std::exp (-2.0 * t) * std::min (1.0, t * 200.0);
        double left = 0.0, right = 0.0;

        for (size_t note = 0; note < std::size (chord); ++note)
        {
            const auto phase = juce::MathConstants<double>::twoPi * chord[note] * t;
            left += std::sin (phase) * (note == 2 ? 0.6 : 1.0);
            right += std::sin (phase) * (note == 0 ? 0.6 : 1.0);
        }

        signal.setSample (0, i, static_cast<float> (0.2 * envelope * left));
        signal.setSample (1, i, static_cast<float> (0.2 * envelope * right));
    }

    return signal;
}
} // namespace warbloom::render
