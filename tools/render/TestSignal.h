#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

namespace warbloom::render
{
// A deterministic stereo signal: clicks on every beat for the first half, then a decaying
// A minor chord, so both the echo's timing and the tone section's colour can be heard.
juce::AudioBuffer<float> makeTestSignal (double sampleRate, double seconds, double tempo);
} // namespace warbloom::render
