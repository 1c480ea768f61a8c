#pragma once

#include <juce_core/juce_core.h>

// The result of text.replace (target, replacement), with each occurrence replaced left to right
// and the search going on after it, built in one pass: JUCE's replace copies the whole string
// once for each occurrence, which takes seconds on a long text of many.
juce::String replaceAll (const juce::String& text, const juce::String& target, const juce::String& replacement);
