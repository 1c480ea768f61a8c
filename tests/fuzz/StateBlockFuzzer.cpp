#include "FuzzedProcessor.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size);

namespace
{
std::vector<float> parameterValues()
{
    std::vector<float> values;

    for (auto* parameter : fuzzedProcessor->getParameters())
        values.push_back (parameter->getValue());

    return values;
}
} // namespace

// Arbitrary bytes as a host state block. Whatever they leave, the block written from it reads
// back to the same parameters and writes again byte for byte.
extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    fuzzedProcessor->setStateInformation (data, (int) size);
    const auto loaded = parameterValues();

    juce::MemoryBlock saved, savedAgain;
    fuzzedProcessor->getStateInformation (saved);
    fuzzedProcessor->setStateInformation (saved.getData(), (int) saved.getSize());
    fuzzedProcessor->getStateInformation (savedAgain);

    if (parameterValues() != loaded || savedAgain != saved)
        std::abort();

    // A running host collects JUCE's pool of element and attribute names every 30 s; thousands
    // of inputs in that time would grow it until each new name costs a long copy.
    juce::StringPool::getGlobalPool().garbageCollect();
    return 0;
}
