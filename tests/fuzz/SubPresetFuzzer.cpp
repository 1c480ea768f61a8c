#include "presets/SubPresetFile.h"
#include "processor/WarbloomAudioProcessor.h"
#include "support/ScratchPresetRoot.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size);

// The first byte picks one of the four filled groups; the rest is the sub-preset file.
extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    static const ScratchPresetRoot presetRoot;

    // Never destroyed: at exit JUCE's own statics may already be gone.
    static auto* juceInitialiser = new juce::ScopedJuceInitialiser_GUI();
    static auto& processor = *new WarbloomAudioProcessor();
    juce::ignoreUnused (juceInitialiser);

    if (size == 0)
        return 0;

    juce::MemoryInputStream in (data + 1, size - 1, false);
    SubPresetFile::read (in, SubPresets[data[0] % 4], processor);
    return 0;
}
