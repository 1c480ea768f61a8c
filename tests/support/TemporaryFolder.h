#pragma once

#include <juce_core/juce_core.h>

// A fresh folder below the system's temporary folder, removed with everything in it.
class TemporaryFolder
{
public:
    TemporaryFolder()
        : folder (juce::File::getSpecialLocation (juce::File::tempDirectory).getNonexistentChildFile ("warbloom-test", "", false))
    {
        folder.createDirectory();
    }

    ~TemporaryFolder() { folder.deleteRecursively(); }

    // Creates a file with the given bytes (empty by default) at a path relative to the folder.
    juce::File write (const juce::String& relativePath, const juce::MemoryBlock& bytes = {}) const
    {
        const auto file = folder.getChildFile (relativePath);
        file.getParentDirectory().createDirectory();

        if (bytes.isEmpty())
            file.create();
        else
            file.replaceWithData (bytes.getData(), bytes.getSize());

        return file;
    }

    const juce::File folder;
};
