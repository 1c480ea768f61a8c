#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// The first parameter of the processor whose identifier is id, or null.
juce::AudioProcessorParameter* findParameter (juce::AudioProcessor& processor, const juce::String& id);

// Sets a parameter from a stored normalised value and tells its listeners, so the host, the
// value fields and the controls follow. A value that is not finite is skipped; others are
// clamped to 0..1.
void restoreParameter (juce::AudioProcessorParameter& parameter, double value);
