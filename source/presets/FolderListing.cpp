#include "FolderListing.h"

#include <cstring>

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

namespace
{
bool isContinuation (unsigned char byte)
{
    return (byte & 0xc0) == 0x80;
}

// UTF-8 as RFC 3629 defines it. JUCE's own CharPointer_UTF8::isValidString is not enough: it
// takes overlong forms such as C0 80, which its decoder then reads as fewer bytes than they hold.
bool isValidUtf8 (const char* text)
{
    for (auto* p = reinterpret_cast<const unsigned char*> (text); *p != 0;)
    {
        const auto lead = *p;

        if (lead < 0x80)
        {
            ++p;
            continue;
        }

        int extra;
        unsigned char low = 0x80, high = 0xbf; // allowed range of the byte after the lead

        if (lead >= 0xc2 && lead <= 0xdf)
            extra = 1;
        else if (lead >= 0xe0 && lead <= 0xef)
        {
            extra = 2;
            low = lead == 0xe0 ? 0xa0 : 0x80;  // overlong below U+0800
            high = lead == 0xed ? 0x9f : 0xbf; // surrogates
        }
        else if (lead >= 0xf0 && lead <= 0xf4)
        {
            extra = 3;
            low = lead == 0xf0 ? 0x90 : 0x80;  // overlong below U+10000
            high = lead == 0xf4 ? 0x8f : 0xbf; // beyond U+10FFFF
        }
        else
            return false;

        if (p[1] < low || p[1] > high)
            return false;

        for (int i = 2; i <= extra; ++i)
            if (! isContinuation (p[i]))
                return false;

        p += extra + 1;
    }

    return true;
}

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

        if (isOnlyDots (name) || ! isValidUtf8 (name) || fnmatch (wildcard, name, FNM_CASEFOLD) != 0)
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
