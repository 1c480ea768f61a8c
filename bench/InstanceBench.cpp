#include "BenchSupport.h"
#include "processor/WarbloomAudioProcessor.h"
#include "support/DelayLineResidency.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

// Cost of a new instance as a host meets it: construction and release, as when it scans its
// plug-ins (JUCE's VST3 wrapper releases an instance from terminate), and prepareToPlay of a
// freshly made instance, as when it opens a session, which makes the delay lines resident. A
// session's instances stay, so the fresh ones here do too: none is handed the memory that the one
// before it has just given back. Besides the time each reports the memory that became resident:
// all of it for the process, and the part held by the delay lines. A later prepare, as on a change
// of sample rate, finds the lines resident and writes them through. The last case compares the
// first pass of the echo through its lines with the next one.
namespace
{
constexpr double benchRate = 48000.0;
constexpr int benchBlockSize = 512;

void prepare (WarbloomAudioProcessor& processor, double rate)
{
    processor.setRateAndBufferSizeDetails (rate, benchBlockSize);
    processor.prepareToPlay (rate, benchBlockSize);
}

enum class Stage
{
    constructionAndRelease,
    freshPrepare,
    laterPrepare
};

void newInstanceBench (benchmark::State& state, Stage stage)
{
    auto processGrowth = 0.0;
    auto delayLines = 0.0;
    std::vector<std::unique_ptr<WarbloomAudioProcessor>> session;

    for (auto _ : state)
    {
        if (stage != Stage::constructionAndRelease)
            state.PauseTiming();

        const auto before = residentMegabytes();
        auto processor = std::make_unique<WarbloomAudioProcessor>();

        if (stage == Stage::constructionAndRelease)
            processor->releaseResources();
        if (stage == Stage::laterPrepare)
            prepare (*processor, 44100.0);
        if (stage != Stage::constructionAndRelease)
        {
            state.ResumeTiming();
            prepare (*processor, benchRate);
        }
        benchmark::DoNotOptimize (processor.get());

        state.PauseTiming();
        processGrowth = std::max (processGrowth, residentMegabytes() - before);
        delayLines = std::max (delayLines, residentDelayLineMegabytes (*processor->echoEngine));
        if (stage == Stage::freshPrepare)
            session.push_back (std::move (processor));
        processor.reset();
        state.ResumeTiming();
    }

    state.counters["resident_growth_MB"] = processGrowth;
    state.counters["delay_lines_resident_MB"] = delayLines;
}

double nanosecondsPerFrame (WarbloomAudioProcessor& processor, int numFrames)
{
    juce::AudioBuffer<float> buffer (2, benchBlockSize);
    juce::MidiBuffer midi;
    const auto start = std::chrono::steady_clock::now();

    for (int done = 0; done < numFrames; done += benchBlockSize)
    {
        for (int channel = 0; channel < 2; ++channel)
            buffer.getWritePointer (channel)[0] = 0.25f;
        processor.processBlock (buffer, midi);
    }

    const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / static_cast<double> (numFrames);
}

void firstPassBench (benchmark::State& state)
{
    for (auto _ : state)
    {
        WarbloomAudioProcessor processor;
        prepare (processor, benchRate);
        state.counters["first_pass_ns_per_stereo_frame"] = nanosecondsPerFrame (processor, EchoEngine::lineLength);
        state.counters["second_pass_ns_per_stereo_frame"] = nanosecondsPerFrame (processor, EchoEngine::lineLength);
    }
}
} // namespace

BENCHMARK_CAPTURE (newInstanceBench, construction_and_release, Stage::constructionAndRelease)->Unit (benchmark::kMillisecond);
BENCHMARK_CAPTURE (newInstanceBench, fresh_prepare, Stage::freshPrepare)->Unit (benchmark::kMillisecond)->Iterations (8);
BENCHMARK_CAPTURE (newInstanceBench, later_prepare, Stage::laterPrepare)->Unit (benchmark::kMillisecond);
BENCHMARK (firstPassBench)->Unit (benchmark::kMillisecond)->Iterations (1);
