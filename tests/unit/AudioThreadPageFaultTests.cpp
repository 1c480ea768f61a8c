#include "processor/WarbloomAudioProcessor.h"
#include "support/SanitizerBuild.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cmath>
#include <thread>

// Once prepareToPlay has returned, the audio thread must not wait for the system to hand it
// memory: the delay lines above all, 49 MB that the echo writes through over 64 s at 48 kHz.
// The blocks run on a thread of their own, as on a host's audio thread, for one whole pass of the
// echo through its lines. Only the first tenth of a second may fault, on the code and stack that
// this thread meets for the first time, which no prepare on another thread reaches: the first
// block, and the first after the prepare's ramps (0.05 s at most) have settled, when the loops
// for steady settings take over.
namespace
{
TEST (AudioThread, NoPageFaultOverAWholePassThroughTheLinesOnceTheRampsHaveSettled)
{
#if defined(WARBLOOM_SANITIZER_MEMORY)
    GTEST_SKIP() << "the sanitizer's shadow of the lines faults in as the audio thread reaches it";
#else
    const auto threadFaults = []
    {
        rusage usage {};
        getrusage (RUSAGE_THREAD, &usage);
        return usage.ru_minflt + usage.ru_majflt;
    };

    constexpr int blockSize = 512;
    WarbloomAudioProcessor processor;
    processor.setRateAndBufferSizeDetails (48000.0, blockSize);
    processor.prepareToPlay (48000.0, blockSize);
    processor.pluginParameters.toneModGatePowerOn = true;
    processor.pluginParameters.freakoutValue = 1.0f;
    processor.pluginParameters.echoFeedbackValue = 0.95f;

    long laterFaults = -1;
    std::thread audioThread (
        [&]
        {
            juce::AudioBuffer<float> input (2, blockSize), buffer (2, blockSize);
            for (int i = 0; i < blockSize; ++i)
            {
                input.setSample (0, i, 0.25f * std::sin (0.0575f * static_cast<float> (i)));
                input.setSample (1, i, -input.getSample (0, i));
            }
            juce::MidiBuffer midi;

            const auto play = [&]
            {
                buffer.makeCopyOf (input, true);
                processor.processBlock (buffer, midi);
            };

            for (int done = 0; done < 4800; done += blockSize)
                play();
            const auto before = threadFaults();
            for (int done = 0; done < EchoEngine::lineLength; done += blockSize)
                play();
            laterFaults = threadFaults() - before;
        });
    audioThread.join();

    EXPECT_EQ (laterFaults, 0);
#endif
}
} // namespace
