#pragma once

#include <juce_core/juce_core.h>

// Replaces target with exactly the given bytes, or leaves it as it was: the bytes go to a
// temporary file in the same folder, which is moved over the target only once fully written.
// Missing parent folders are made. Returns false when nothing was replaced; the temporary file is
// then gone too.
bool replaceFileContents (const juce::File& target, const void* data, size_t size);
