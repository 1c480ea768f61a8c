#include "FuzzedProcessor.h"
#include "presets/SubPresetFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size);

// The first byte picks one of the four filled groups; the rest is the sub-preset file.
extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;

    juce::MemoryInputStream in (data + 1, size - 1, false);
    SubPresetFile::read (in, SubPresets[data[0] % 4], *fuzzedProcessor);
    return 0;
}
