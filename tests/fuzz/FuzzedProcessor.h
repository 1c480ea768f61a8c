#pragma once

#include "processor/WarbloomAudioProcessor.h"
#include "support/ScratchPresetRoot.h"

// The processor that a fuzz target feeds every input to, as one plug-in instance would see one
// input after another. Each target includes this from its one source file.
inline WarbloomAudioProcessor* fuzzedProcessor = nullptr;

extern "C" int LLVMFuzzerInitialize (int* argc, char*** argv);

// Made before the first input rather than on it, so that a slow start on a busy machine is not
// taken for an input that hangs. Never destroyed: at exit JUCE's own statics may already be gone.
extern "C" int LLVMFuzzerInitialize (int*, char***)
{
    static const ScratchPresetRoot presetRoot;
    static auto* juceInitialiser = new juce::ScopedJuceInitialiser_GUI();
    juce::ignoreUnused (juceInitialiser);
    fuzzedProcessor = new WarbloomAudioProcessor();
    return 0;
}
