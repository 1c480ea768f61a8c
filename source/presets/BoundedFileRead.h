#pragma once

#include <juce_core/juce_core.h>

// Reads the whole file at path into data when it is a regular file of at most maxBytes bytes;
// false, with data left alone, otherwise. The size is taken from the opened file, not from its
// path, and no more than maxBytes + 1 bytes are read, so a file swapped or grown after the check
// is refused too, and nothing is allocated for a file that is too large.
bool readFileUpTo (const juce::String& path, size_t maxBytes, juce::MemoryBlock& data);
