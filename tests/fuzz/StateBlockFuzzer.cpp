#include "FuzzedProcessor.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size);

namespace
{
// Everything the state block is written from.
struct WrittenState
{
    WrittenState()
    {
        for (auto* parameter : fuzzedProcessor->getParameters())
            parameters.push_back (parameter->getValue());

        const auto& presets = *fuzzedProcessor->presetManager;
        texts.push_back (presets.presetPath);
        texts.insert (texts.end(), presets.subPresetPaths.begin(), presets.subPresetPaths.end());
        texts.insert (texts.end(), presets.textEntries.begin(), presets.textEntries.end());
        width = presets.editorWidth.load();
        height = presets.editorHeight.load();
    }

    bool operator== (const WrittenState& other) const
    {
        return parameters == other.parameters && texts == other.texts && width == other.width && height == other.height;
    }

    std::vector<float> parameters;
    std::vector<juce::String> texts;
    int width = 0, height = 0;
};
} // namespace

// Arbitrary bytes as a host state block. Whatever they leave, the block written from it reads
// back to the same parameters and writes again byte for byte. Most inputs leave the state as it
// was, and a state already checked is not checked again.
extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    static WrittenState checked;

    fuzzedProcessor->setStateInformation (data, (int) size);
    const WrittenState loaded;

    if (! (loaded == checked))
    {
        juce::MemoryBlock saved, savedAgain;
        fuzzedProcessor->getStateInformation (saved);
        fuzzedProcessor->setStateInformation (saved.getData(), (int) saved.getSize());
        fuzzedProcessor->getStateInformation (savedAgain);

        checked = WrittenState();

        if (checked.parameters != loaded.parameters || savedAgain != saved)
            std::abort();
    }

    // A running host collects JUCE's pool of element and attribute names every 30 s; thousands
    // of inputs in that time would grow it until each new name costs a long copy.
    juce::StringPool::getGlobalPool().garbageCollect();
    return 0;
}
