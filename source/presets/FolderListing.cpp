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

FolderListing::FolderId idOf (const struct stat& info)
{
    return { (std::uint64_t) info.st_dev, (std::uint64_t) info.st_ino };
}

// Calls visit (full path, the entry's stat following links or nullptr when that fails) for each
// listable entry of dir whose name matches the wildcard.
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
        const auto found = fstatat (dirfd (handle), name, &info, 0) == 0;
        visit (parent + juce::String::fromUTF8 (name), found ? &info : nullptr);
    }

    closedir (handle);
}
} // namespace

namespace FolderListing
{
std::vector<Folder> folders (const juce::File& dir)
{
    std::vector<Folder> found;
    forEachEntry (dir, "*", [&found] (const juce::String& path, const struct stat* info)
                  {
                      if (info != nullptr && S_ISDIR (info->st_mode))
                          found.push_back ({ path, idOf (*info) }); });
    return found;
}

std::optional<FolderId> folderId (const juce::File& dir)
{
    struct stat info;

    if (stat (dir.getFullPathName().toRawUTF8(), &info) != 0 || ! S_ISDIR (info.st_mode))
        return std::nullopt;

    return idOf (info);
}

juce::StringArray files (const juce::File& dir, const juce::String& wildcard)
{
    juce::StringArray paths;
    forEachEntry (dir, wildcard.toRawUTF8(), [&paths] (const juce::String& path, const struct stat* info)
                  {
                      if (info == nullptr || ! S_ISDIR (info->st_mode))
                          paths.add (path); });
    return paths;
}
} // namespace FolderListing
