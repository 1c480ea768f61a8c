#pragma once

#include "support/TemporaryFolder.h"

#include <cstdlib>
#include <optional>
#include <string>

// Points every preset store that this process makes, a loaded bundle's included, at a missing
// folder below a fresh temporary one, so tests and tools never make or write the user's preset
// folders. Made at the start of main, before any processor; the previous setting comes back when
// it goes.
class ScratchPresetRoot
{
public:
    ScratchPresetRoot()
    {
        if (const auto* previous = std::getenv (variable))
            previousValue = previous;

        setenv (variable, root.getFullPathName().toRawUTF8(), 1);
    }

    ~ScratchPresetRoot()
    {
        if (previousValue)
            setenv (variable, previousValue->c_str(), 1);
        else
            unsetenv (variable);
    }

    ScratchPresetRoot (const ScratchPresetRoot&) = delete;
    ScratchPresetRoot& operator= (const ScratchPresetRoot&) = delete;

    static constexpr const char* variable = "WARBLOOM_PRESET_ROOT";

    const TemporaryFolder scratch;
    const juce::File root = scratch.folder.getChildFile ("Warbloom");

private:
    std::optional<std::string> previousValue;
};
