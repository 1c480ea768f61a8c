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

// A link, or an entry whose type the file system does not give, has to be stat'ed to tell what it
// leads to; for any other entry d_type tells it.
bool typeNeedsStat (unsigned char type)
{
    return type == DT_LNK || type == DT_UNKNOWN;
}

// Calls visit (dir's descriptor, entry, a function making the entry's full path) for each
// listable entry of dir whose name matches the wildcard. The path is made only where the visitor
// keeps the entry.
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

        visit (dirfd (handle), *entry, [&parent, name]
               { return parent + juce::String::fromUTF8 (name); });
    }

    closedir (handle);
}
} // namespace

namespace FolderListing
{
std::vector<Folder> folders (const juce::File& dir)
{
    std::vector<Folder> found;
    forEachEntry (dir, "*", [&found] (int dirFd, const dirent& entry, auto&& path)
                  {
                      // A folder's id comes from the stat, so only what d_type rules out is spared it.
                      struct stat info;

                      if ((entry.d_type == DT_DIR || typeNeedsStat (entry.d_type)) && fstatat (dirFd, entry.d_name, &info, 0) == 0 && S_ISDIR (info.st_mode))
                          found.push_back ({ path(), idOf (info) }); });
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
    forEachEntry (dir, wildcard.toRawUTF8(), [&paths] (int dirFd, const dirent& entry, auto&& path)
                  {
                      struct stat info;

                      if (entry.d_type == DT_REG || (typeNeedsStat (entry.d_type) && fstatat (dirFd, entry.d_name, &info, 0) == 0 && S_ISREG (info.st_mode)))
                          paths.add (path()); });
    return paths;
}
} // namespace FolderListing
