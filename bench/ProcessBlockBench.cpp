#include "BenchSupport.h"
#include "processor/WarbloomAudioProcessor.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <ctime>

// Cost of processBlock at 48 kHz, stereo, for the three settings the performance targets name.
// Reported as nanoseconds of CPU time per stereo frame and as the real-time factor (seconds of
// audio per second of CPU time), both plain numbers taken from the thread's own CPU clock.
namespace
{
constexpr double benchRate = 48000.0;

double threadCpuSeconds()
{
    timespec now {};
    clock_gettime (CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double> (now.tv_sec) + 1e-9 * static_cast<double> (now.tv_nsec);
}

enum class Setting
{
    defaults,
    worstCase,
    toneOff
};

void applySetting (PluginParameters& p, Setting setting)
{
    if (setting == Setting::toneOff)
        p.tonePowerOn = false;

    if (setting != Setting::worstCase)
        return;

    p.toneModLfoPowerOn = true;
    p.toneModGatePowerOn = true;
    p.toneFilterModDepthValue = 1.0f;
    p.toneAmpModDepthValue = 1.0f;
    p.filterResValue = 50.0f;
    p.freakoutValue = 1.0f;
    p.freakoutEchoOn = true;
    p.freakoutFilterOn = true;
    p.echoDampValue = 50.0f;
    p.toneModStepOn[1] = false;
    p.toneModStepOn[5] = false;
    p.echoModStepOn[3] = false;
    p.freakoutRateIndex = 16;
}

// Every smoothed filter key moves in every block: band splitter, bass frequency, cutoff, damping.
void rampParameters (PluginParameters& p, bool up)
{
    p.bandSplitterValue = up ? 400.0f : 200.0f;
    p.bassFreqValue = up ? 90.0f : 68.0f;
    p.filterCutValue = up ? 3000.0f : 2000.0f;
    p.echoDampValue = up ? 60.0f : 50.0f;
}

void processBlockBench (benchmark::State& state, Setting setting)
{
    const auto blockSize = static_cast<int> (state.range (0));
    WarbloomAudioProcessor processor;
    processor.setRateAndBufferSizeDetails (benchRate, blockSize);
    processor.prepareToPlay (benchRate, blockSize);
    applySetting (processor.pluginParameters, setting);

    // A second of input, copied block by block so that no timing pause is needed.
    const auto sourceLength = static_cast<int> (benchRate);
    juce::AudioBuffer<float> source (2, sourceLength);
    for (int i = 0; i < sourceLength; ++i)
    {
        const auto sample = static_cast<float> (0.25 * std::sin (0.0575 * i));
        source.setSample (0, i, sample);
        source.setSample (1, i, -sample);
    }

    juce::AudioBuffer<float> buffer (2, blockSize);
    juce::MidiBuffer midi;
    auto start = 0;
    auto up = false;
    const auto cpuStart = threadCpuSeconds();

    for (auto _ : state)
    {
        if (start + blockSize > sourceLength)
            start = 0;
        for (int channel = 0; channel < 2; ++channel)
            buffer.copyFrom (channel, 0, source, channel, start, blockSize);
        start += blockSize;

        if (setting == Setting::worstCase)
            rampParameters (processor.pluginParameters, up = ! up);

        processor.processBlock (buffer, midi);
        benchmark::DoNotOptimize (buffer.getReadPointer (0));
    }

    const auto cpuSeconds = threadCpuSeconds() - cpuStart;
    const auto frames = static_cast<double> (state.iterations()) * blockSize;
    state.SetItemsProcessed (static_cast<int64_t> (frames));
    state.counters["ns_per_stereo_frame"] = cpuSeconds * 1e9 / frames;
    state.counters["realtime_factor"] = frames / benchRate / cpuSeconds;
}
} // namespace

BENCHMARK_CAPTURE (processBlockBench, defaults, Setting::defaults)->Arg (64)->Arg (512);
BENCHMARK_CAPTURE (processBlockBench, worst_case, Setting::worstCase)->Arg (64)->Arg (512);
BENCHMARK_CAPTURE (processBlockBench, tone_off, Setting::toneOff)->Arg (64)->Arg (512);

int main (int argc, char** argv)
{
    return runBenchmarks (argc, argv);
}
