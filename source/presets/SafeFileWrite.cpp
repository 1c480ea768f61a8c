#include "SafeFileWrite.h"

bool replaceFileContents (const juce::File& target, const void* data, size_t size)
{
    const auto folder = target.getParentDirectory();

    if (! folder.createDirectory())
        return false;

    // A short name that no browser listing matches: it fits wherever the target's name does, and
    // a crash mid-write leaves no stray preset.
    juce::TemporaryFile temporary (target, folder.getNonexistentChildFile (".saving", ".part", false));

    {
        juce::FileOutputStream out (temporary.getFile());

        if (! out.openedOk() || (size > 0 && ! out.write (data, size)))
            return false;

        out.flush();

        if (out.getStatus().failed())
            return false;
    }

    // JUCE's stream reports success after a write that the system cut short (a full disk, a file
    // size limit), so the file itself must hold every byte before it replaces the target.
    return temporary.getFile().getSize() == (juce::int64) size && temporary.overwriteTargetFileWithTemporary();
}
