#include "processor/WarbloomAudioProcessor.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <thread>

// Page faults on the audio thread in the first 70 s after prepareToPlay, one pass through the
// delay lines and then some. As in a host, the instance is made and prepared on one thread and
// played on another, a fresh one, which counts its own faults around every block. The echo
// repeats every 8 s (four beats at 30 BPM) at 95 % feedback, with every section on; Freakout
// acts on the filter only, so the echo keeps its length. It counts faults rather than timing
// blocks, which on a shared machine vary with its load.
namespace
{
constexpr double benchRate = 48000.0;
constexpr double benchSeconds = 70.0;

long threadFaults()
{
    rusage usage {};
    getrusage (RUSAGE_THREAD, &usage);
    return usage.ru_minflt + usage.ru_majflt;
}

// A stopped transport at 30 BPM: the processor's beat position runs on by itself.
class SlowTempo : public juce::AudioPlayHead
{
public:
    juce::Optional<PositionInfo> getPosition() const override
    {
        PositionInfo info;
        info.setBpm (30.0);
        return info;
    }
};

void applyEverySectionOn (PluginParameters& p)
{
    p.toneModLfoPowerOn = true;
    p.toneModGatePowerOn = true;
    p.toneFilterModDepthValue = 1.0f;
    p.toneAmpModDepthValue = 0.5f;
    p.filterResValue = 50.0f;
    p.satCrunchValue = 40.0f;
    p.satMixValue = 0.5f;
    p.toneModStepOn[1] = false;
    p.echoRate1Index = 0;
    p.echoRateLinkOn = true;
    p.echoFeedbackValue = 0.95f;
    p.echoDampValue = 30.0f;
    p.echoSpreadValue = 0.5f;
    p.echoMixValue = 0.5f;
    p.echoFeedModLevelValue = 0.3f;
    p.echoModStepOn[3] = false;
    p.freakoutValue = 1.0f;
    p.freakoutEchoOn = false;
    p.freakoutFilterOn = true;
    p.freakoutRateIndex = 12;
}

struct FaultCount
{
    long firstBlock = 0;
    long laterTotal = 0;
    long laterMostInOneBlock = 0;
    long laterBlocksWithFaults = 0;
    long numBlocks = 0;
};

FaultCount playFirstSeconds (WarbloomAudioProcessor& processor, int blockSize)
{
    FaultCount count;

    // Everything the loop itself uses is written once before counting starts.
    juce::AudioBuffer<float> buffer (2, blockSize);
    buffer.clear();
    juce::MidiBuffer midi;
    auto phase = 0.0;
    const auto numBlocks = static_cast<long> (std::ceil (benchSeconds * benchRate / blockSize));

    for (long block = 0; block < numBlocks; ++block)
    {
        for (int i = 0; i < blockSize; ++i, phase += 0.0575)
        {
            const auto sample = static_cast<float> (0.25 * std::sin (phase));
            buffer.setSample (0, i, sample);
            buffer.setSample (1, i, -sample);
        }

        const auto faultsBefore = threadFaults();
        processor.processBlock (buffer, midi);
        const auto faults = threadFaults() - faultsBefore;

        if (block == 0)
        {
            count.firstBlock = faults;
            continue;
        }

        count.laterTotal += faults;
        count.laterMostInOneBlock = std::max (count.laterMostInOneBlock, faults);
        count.laterBlocksWithFaults += faults > 0 ? 1 : 0;
    }

    count.numBlocks = numBlocks;
    return count;
}

void audioThreadFaultBench (benchmark::State& state)
{
    const auto blockSize = static_cast<int> (state.range (0));
    FaultCount count;

    for (auto _ : state)
    {
        WarbloomAudioProcessor processor;
        SlowTempo playHead;
        processor.setPlayHead (&playHead);
        processor.setRateAndBufferSizeDetails (benchRate, blockSize);
        processor.prepareToPlay (benchRate, blockSize);
        applyEverySectionOn (processor.pluginParameters);

        std::thread audioThread ([&]
                                 { count = playFirstSeconds (processor, blockSize); });
        audioThread.join();
    }

    const auto laterBlocks = static_cast<double> (count.numBlocks - 1);
    state.counters["first_block_faults"] = static_cast<double> (count.firstBlock);
    state.counters["later_faults"] = static_cast<double> (count.laterTotal);
    state.counters["later_faults_per_block"] = static_cast<double> (count.laterTotal) / laterBlocks;
    state.counters["later_most_in_a_block"] = static_cast<double> (count.laterMostInOneBlock);
    state.counters["later_blocks_with_faults"] = static_cast<double> (count.laterBlocksWithFaults);
}
} // namespace

BENCHMARK (audioThreadFaultBench)->Arg (64)->Arg (512)->Iterations (1)->UseRealTime()->Unit (benchmark::kMillisecond);
