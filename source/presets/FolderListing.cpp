#include "FolderListing.h"

#include "processor/ShortestFormUtf8.h"

#include <cstring>

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

namespace
{
bool isOnlyDots (const char* name)
{
    return std::strspn (name, ".") == std::strlen (name);
}

// Calls visit (full path, is a folder) for each listable entry of dir whose name matches the
// wildcard.
template <typename Visit>
void forEachEntry (const juce::File& dir, const char* wildcard, Visit&& visit)
{
    const auto parent = juce::File::addTrailingSeparator (dir.getFullPathName());
    auto* handle = opendir (dir.getFullPathName().toRawUTF8());

    if (handle == nullptr)
        return;

    while (const auto* entry = readdir (handle))
    {
        const auto* name = entry->d_name;

        if (isOnlyDots (name) || ! isShortestFormUtf8 (name, (int) std::strlen (name)) || fnmatch (wildcard, name, FNM_CASEFOLD) != 0)
            continue;

        struct stat info;
        const auto isFolder = fstatat (dirfd (handle), name, &info, 0) == 0 && S_ISDIR (info.st_mode);
        visit (parent + juce::String::fromUTF8 (name), isFolder);
    }

    closedir (handle);
}
} // namespace

namespace FolderListing
{
juce::StringArray folders (const juce::File& dir)
{
    juce::StringArray paths;
    forEachEntry (dir, "*", [&paths] (const juce::String& path, bool isFolder)
                  {
                      if (isFolder)
                          paths.add (path); });
    return paths;
}

juce::StringArray files (const juce::File& dir, const juce::String& wildcard)
{
    juce::StringArray paths;
    forEachEntry (dir, wildcard.toRawUTF8(), [&paths] (const juce::String& path, bool isFolder)
                  {
                      if (! isFolder)
                          paths.add (path); });
    return paths;
}
} // namespace FolderListing
