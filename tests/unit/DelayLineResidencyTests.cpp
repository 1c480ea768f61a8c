#include "processor/WarbloomAudioProcessor.h"
#include "support/DelayLineResidency.h"
#include "support/SanitizerBuild.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

// A host's scan makes an instance and ends it without preparing it, and JUCE's VST3 wrapper calls
// releaseResources from terminate: the 49 MB of delay lines must stay out of memory through that.
// Only the pages at either end, which the lines share with the allocator's bookkeeping, may be
// resident. The first prepare then relies on the lines still holding the zeros they came with.
namespace
{
struct Case
{
    const char* name;
    std::function<std::vector<bool>()> residencyAfterRelease;
};

TEST (DelayLineResidency, AnInstanceReleasedWithoutPrepareLeavesTheLinesOutOfMemory)
{
#if defined(WARBLOOM_SANITIZER_MEMORY)
    GTEST_SKIP() << "the sanitizer's allocator decides what is resident";
#else
    const Case cases[] {
        { "echo engine, cleared",
          []
          {
              EchoEngine echo;
              echo.clearLines();
              return delayLinePageResidency (echo);
          } },
        { "processor given a rate as the wrapper's setupProcessing does, one block, released",
          []
          {
              WarbloomAudioProcessor processor;
              processor.setRateAndBufferSizeDetails (48000.0, 512);

              // Until prepared, the audio passes untouched and the lines are not written.
              juce::AudioBuffer<float> buffer (2, 512);
              for (int channel = 0; channel < 2; ++channel)
                  for (int i = 0; i < 512; ++i)
                      buffer.setSample (channel, i, 0.5f * std::sin (0.03f * static_cast<float> (i + channel)));
              const auto input = buffer;
              juce::MidiBuffer midi;
              processor.processBlock (buffer, midi);
              for (int channel = 0; channel < 2; ++channel)
                  for (int i = 0; i < 512; ++i)
                      EXPECT_EQ (buffer.getSample (channel, i), input.getSample (channel, i)) << channel << " " << i;

              processor.releaseResources();
              return delayLinePageResidency (*processor.echoEngine);
          } },
    };

    for (const auto& c : cases)
    {
        const auto residency = c.residencyAfterRelease();
        ASSERT_GT (residency.size(), 2u) << c.name << ": mincore failed";

        std::size_t residentInside = 0;
        for (std::size_t page = 1; page + 1 < residency.size(); ++page)
            residentInside += residency[page] ? 1u : 0u;
        EXPECT_EQ (residentInside, 0u) << c.name << ": of " << residency.size() << " pages";
    }
#endif
}
} // namespace
