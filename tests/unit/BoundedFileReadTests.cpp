#include "presets/BoundedFileRead.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace
{
juce::MemoryBlock bytes (size_t size)
{
    juce::MemoryBlock block (size);

    for (size_t i = 0; i < size; ++i)
        block[i] = (char) ('a' + i % 26);

    return block;
}

TEST (BoundedFileRead, ReadsWholeFilesUpToTheLimitAndNothingElse)
{
    constexpr size_t limit = 100;
    TemporaryFolder temp;
    temp.write ("empty");
    temp.write ("exact", bytes (limit));
    temp.write ("over", bytes (limit + 1));
    temp.write ("small", bytes (7));
    temp.write ("folder/inside");
    ASSERT_TRUE (temp.folder.getChildFile ("exact").createSymbolicLink (temp.folder.getChildFile ("link"), false));
    ASSERT_EQ (mkfifo (temp.folder.getChildFile ("pipe").getFullPathName().toRawUTF8(), 0600), 0);

    const struct
    {
        const char* name;
        bool read;
        size_t size;
    } cases[] = {
        { "empty", true, 0 },
        { "small", true, 7 },
        { "exact", true, limit },
        { "link", true, limit },
        { "over", false, 0 },
        { "folder", false, 0 },
        { "pipe", false, 0 }, // refused at once: no writer ever comes
        { "missing", false, 0 },
    };

    for (const auto& c : cases)
    {
        juce::MemoryBlock data ("untouched", 9);
        const auto read = readFileUpTo (temp.folder.getChildFile (c.name).getFullPathName(), limit, data);

        EXPECT_EQ (read, c.read) << c.name;
        // As text: JUCE compares two empty blocks by passing null to memcmp.
        EXPECT_EQ (data.toString(), c.read ? bytes (c.size).toString() : "untouched") << c.name;
    }
}
} // namespace
