#include "FuzzedProcessor.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size);

// Arbitrary bytes as a host state block.
extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    fuzzedProcessor->setStateInformation (data, (int) size);

    // A running host collects JUCE's pool of element and attribute names every 30 s; thousands
    // of inputs in that time would grow it until each new name costs a long copy.
    juce::StringPool::getGlobalPool().garbageCollect();
    return 0;
}
