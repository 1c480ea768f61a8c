#include "BoundedFileRead.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
struct Descriptor
{
    explicit Descriptor (const juce::String& path)
        // Not blocking: a FIFO swapped in for the file opens at once and is then refused.
        : fd (open (path.toRawUTF8(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY))
    {
    }

    ~Descriptor()
    {
        if (fd >= 0)
            close (fd);
    }

    Descriptor (const Descriptor&) = delete;
    Descriptor& operator= (const Descriptor&) = delete;

    const int fd;
};
} // namespace

bool readFileUpTo (const juce::String& path, size_t maxBytes, juce::MemoryBlock& data)
{
    const Descriptor file (path);
    struct stat info;

    if (file.fd < 0 || fstat (file.fd, &info) != 0 || ! S_ISREG (info.st_mode) || (unsigned long long) info.st_size > maxBytes)
        return false;

    // One byte beyond the size found shows a file that grew since; it grows no further than
    // one byte past the limit.
    const auto limit = maxBytes + 1;
    juce::MemoryBlock bytes ((size_t) info.st_size + 1);
    size_t filled = 0;

    for (;;)
    {
        if (filled == bytes.getSize())
        {
            if (filled == limit)
                break;

            bytes.setSize (std::min (limit, filled * 2));
        }

        const auto got = read (file.fd, static_cast<char*> (bytes.getData()) + filled, bytes.getSize() - filled);

        if (got < 0 && errno == EINTR)
            continue;

        if (got < 0)
            return false;

        if (got == 0)
            break;

        filled += (size_t) got;
    }

    if (filled > maxBytes)
        return false;

    bytes.setSize (filled);
    data = std::move (bytes);
    return true;
}
