#pragma once

#include <juce_core/juce_core.h>

// The entries of one folder, read with the system's own calls so that a name which is not valid
// UTF-8 never reaches a juce::String: JUCE 7's directory iterator sizes such a string by decoding
// the name and then copies every raw byte, which overruns the heap. Those entries are left out.
// The rest come as JUCE's iterator gives them on Linux: in directory order, hidden names
// included, names made only of dots left out, symbolic links followed.
namespace FolderListing
{
// Full paths of the folders in dir, links to folders included.
juce::StringArray folders (const juce::File& dir);

// Full paths of the other entries in dir whose names match the wildcard, in JUCE's way: fnmatch
// ignoring case.
juce::StringArray files (const juce::File& dir, const juce::String& wildcard);
} // namespace FolderListing
