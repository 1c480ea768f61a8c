#pragma once

#include <juce_core/juce_core.h>

#include <cstdint>
#include <optional>
#include <vector>

// The entries of one folder, read with the system's own calls so that a name which is not valid
// UTF-8 never reaches a juce::String: JUCE 7's directory iterator sizes such a string by decoding
// the name and then copies every raw byte, which overruns the heap. Those entries are left out.
// The rest come as JUCE's iterator gives them on Linux: in directory order, hidden names
// included, names made only of dots left out, symbolic links followed.
namespace FolderListing
{
// Which folder a path leads to, as stat following links tells it: a link to a folder and the
// folder itself compare equal.
struct FolderId
{
    std::uint64_t device = 0;
    std::uint64_t inode = 0;

    bool operator== (const FolderId& other) const { return device == other.device && inode == other.inode; }
};

struct Folder
{
    juce::String path;
    FolderId id;
};

// The folders in dir, links to folders included, with their full paths.
std::vector<Folder> folders (const juce::File& dir);

// The folder dir leads to; nothing when it is not a folder.
std::optional<FolderId> folderId (const juce::File& dir);

// Full paths of the regular files in dir, links to them included, whose names match the wildcard
// in JUCE's way: fnmatch ignoring case. A FIFO, socket or device opened as a preset would block
// the message thread on the open or never end.
juce::StringArray files (const juce::File& dir, const juce::String& wildcard);
} // namespace FolderListing
