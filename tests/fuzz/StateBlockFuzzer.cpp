#include "processor/WarbloomAudioProcessor.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size);

// Arbitrary bytes as a host state block. One processor serves every input, as one plug-in
// instance would see one restore after another.
extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    // Never destroyed: at exit JUCE's own statics may already be gone.
    static auto* juceInitialiser = new juce::ScopedJuceInitialiser_GUI();
    static auto& processor = *new WarbloomAudioProcessor();
    juce::ignoreUnused (juceInitialiser);

    processor.setStateInformation (data, (int) size);

    // A running host collects JUCE's pool of attribute names every 30 s; thousands of inputs in
    // that time would grow it until each new name costs a long copy.
    juce::StringPool::getGlobalPool().garbageCollect();
    return 0;
}
