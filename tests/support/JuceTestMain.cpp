#include "support/ScratchPresetRoot.h"

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

// Every test binary runs with JUCE initialised on the main thread, which is its message thread,
// and with its preset stores in a scratch folder.
int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);
    const ScratchPresetRoot presetRoot;
    juce::ScopedJuceInitialiser_GUI juce;
    return RUN_ALL_TESTS();
}
