#include "SafeFileWrite.h"

bool replaceFileContents (const juce::File& target, const void* data, size_t size)
{
    const auto folder = target.getParentDirectory();

    if (! folder.createDirectory())
        return false;

    // A name that no browser listing matches, so a crash mid-write leaves no stray preset.
    juce::TemporaryFile temporary (target, folder.getNonexistentChildFile ("." + target.getFileName(), ".part", false));

    {
        juce::FileOutputStream out (temporary.getFile());

        if (! out.openedOk() || (size > 0 && ! out.write (data, size)))
            return false;

        out.flush();

        if (out.getStatus().failed())
            return false;
    }

    return temporary.overwriteTargetFileWithTemporary();
}
