#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <cstdint>

struct SubPresetST;

// The words of the generator behind every "!?!" button. There is one pair per loaded module, shared
// by all plug-in instances and never reseeded, so every press continues one sequence. They are plain
// words without a lock because only the message thread ever touches them (button clicks and the
// randomise switches' button attachments).
constexpr std::uint32_t initialSeedX = 0xE9B820CFu;
constexpr std::uint32_t initialXorU = 0xD74A3516u;
extern std::uint32_t SeedX;
extern std::uint32_t XorU;

// Advances the generator one step; the result lies in [2^-32, 1.0], both ends included.
float nextRandom();

// Gives each randomisable parameter of the group a fresh normalised value, one draw per parameter
// set, in table order, through the parameter objects so the host and the listeners follow.
void randomizeGroup (const SubPresetST& group, const juce::Array<juce::AudioProcessorParameter*>& parameters);

// The action of sub-preset group `index` (0 to 3) on the processor's parameters; any other index
// changes nothing.
void randomizeSubPreset (juce::AudioProcessor& processor, int index);
