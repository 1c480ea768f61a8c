#pragma once

#include "SubPresets.h"

#include <juce_audio_processors/juce_audio_processors.h>

// A sub-preset file: the magic "WBMX", then one little-endian float per written entry of the
// group, in table order.
namespace SubPresetFile
{
// The largest file read. The plug-in writes at most the magic and 100 values, 404 bytes, so a
// file far larger comes from elsewhere.
constexpr size_t maxFileBytes = 64 * 1024;

// The file's bytes for the group's current parameter values.
juce::MemoryBlock write (const SubPresetST& group, juce::AudioProcessor& processor);

// Applies a file's values to the group's parameters by position. Without the magic nothing
// changes; values past the end of the data leave their parameters alone.
void read (juce::InputStream& in, const SubPresetST& group, juce::AudioProcessor& processor);
} // namespace SubPresetFile
