#include "processor/WarbloomAudioProcessor.h"
#include "support/SanitizerBuild.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>

// Counts the heap allocations made on a thread while it is being watched, at the C allocator,
// which JUCE's heap blocks and operator new both end in.
#if ! defined(WARBLOOM_SANITIZER_MEMORY)
namespace
{
thread_local bool watching = false;
std::atomic<int> watchedAllocations { 0 };

void noteAllocation()
{
    if (watching)
        watchedAllocations.fetch_add (1, std::memory_order_relaxed);
}
} // namespace

extern "C"
{
    void* __libc_malloc (std::size_t);
    void* __libc_calloc (std::size_t, std::size_t);
    void* __libc_realloc (void*, std::size_t);
    void __libc_free (void*);

    void* malloc (std::size_t size)
    {
        noteAllocation();
        return __libc_malloc (size);
    }

    void* calloc (std::size_t count, std::size_t size)
    {
        noteAllocation();
        return __libc_calloc (count, size);
    }

    void* realloc (void* memory, std::size_t size)
    {
        noteAllocation();
        return __libc_realloc (memory, size);
    }

    void free (void* memory)
    {
        __libc_free (memory);
    }
}

namespace
{
struct Watch
{
    Watch() { watching = true; }
    ~Watch() { watching = false; }
};

void processBlocks (WarbloomAudioProcessor& processor, juce::AudioBuffer<float>& buffer, int count)
{
    juce::MidiBuffer midi;
    for (int block = 0; block < count; ++block)
    {
        for (int channel = 0; channel < buffer.getNumChannels(); ++channel)
            for (int i = 0; i < buffer.getNumSamples(); ++i)
                buffer.setSample (channel, i, 0.2f * std::sin (0.07f * static_cast<float> (i + block)));
        processor.processBlock (buffer, midi);
    }
}

TEST (AudioThread, ProcessBlockDoesNotAllocate)
{
    {
        const Watch watch;
        auto* number = new int (1);
        *static_cast<volatile int*> (number) = 2;
        delete number;
        const juce::MemoryBlock block (100);
    }
    ASSERT_EQ (watchedAllocations.exchange (0), 2) << "the allocation counter misses operator new or JUCE's heap";

    WarbloomAudioProcessor processor;
    processor.setRateAndBufferSizeDetails (48000.0, 512);
    processor.prepareToPlay (48000.0, 512);
    auto& fields = processor.pluginParameters;

    juce::AudioBuffer<float> full (2, 512), shorter (2, 100);
    watchedAllocations = 0;
    {
        const Watch watch;
        processBlocks (processor, full, 4);
        processBlocks (processor, shorter, 4);

        fields.toneModGatePowerOn = true;
        fields.toneModStepOn[3] = false;
        fields.freakoutValue = 1.0f;
        fields.freakoutRateIndex = 16;
        fields.echoDampValue = 40.0f;
        fields.echoPingPongModeOn = true;
        fields.filterCutValue = 900.0f;
        processBlocks (processor, full, 8);

        fields.tonePowerOn = false;
        fields.echoPowerOn = false;
        processBlocks (processor, full, 4);
    }
    EXPECT_EQ (watchedAllocations.load(), 0);

    // A block larger than announced is taken in pieces, so not even the first one allocates.
    juce::AudioBuffer<float> larger (2, 8 * 512 + 100);
    watchedAllocations = 0;
    {
        const Watch watch;
        processBlocks (processor, larger, 3);
    }
    EXPECT_EQ (watchedAllocations.load(), 0);
}
} // namespace
#endif
