#include "RegularFile.h"

#include <filesystem>
#include <system_error>

bool isRegularFile (const juce::String& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file (std::filesystem::u8path (path.toRawUTF8()), error);
}
