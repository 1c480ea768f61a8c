#include "BenchSupport.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <string>

// A host's scan as each plug-in meets it, through the built bundle and JUCE's VST3 hosting: an
// instance made from the plug-in's description, its parameter list read, the instance ended, and
// never a prepare. Warbloom against a bare JUCE effect built on the same JUCE, the baseline. Besides
// the time each reports the memory that the live instance holds and the peak over the whole cycle,
// ending included, both above what the process held before it.
namespace
{
constexpr double benchRate = 48000.0;
constexpr int benchBlockSize = 512;

// Sets the process's peak resident memory back to what it holds now; false if the system refuses.
bool resetPeakResident()
{
    std::ofstream clearRefs ("/proc/self/clear_refs");
    clearRefs << "5";
    clearRefs.flush();
    return static_cast<bool> (clearRefs);
}

double peakResidentMegabytes()
{
    std::ifstream status ("/proc/self/status");
    for (std::string field; status >> field;)
    {
        if (field == "VmHWM:")
        {
            double kilobytes = 0.0;
            status >> kilobytes;
            return kilobytes / 1024.0;
        }
    }
    return -1.0;
}

void scanCycleBench (benchmark::State& state, const char* bundle)
{
    juce::VST3PluginFormat format;
    juce::OwnedArray<juce::PluginDescription> types;
    format.findAllTypesForFile (types, bundle);
    if (types.isEmpty())
    {
        state.SkipWithError ("no VST3 class found in the bundle");
        return;
    }
    const auto description = *types.getFirst();

    const auto makeAndRead = [&]
    {
        juce::String error;
        auto instance = format.createInstanceFromDescription (description, benchRate, benchBlockSize, error);
        if (instance != nullptr)
        {
            for (auto* parameter : instance->getParameters())
            {
                benchmark::DoNotOptimize (parameter->getName (128));
                benchmark::DoNotOptimize (parameter->getDefaultValue());
            }
        }
        return instance;
    };

    // The first instance meets code and files for the first time; a host's scan has loaded the
    // module and made its own instance before, as findAllTypesForFile has here.
    if (makeAndRead() == nullptr)
    {
        state.SkipWithError ("the plug-in could not be instantiated");
        return;
    }

    auto instanceGrowth = 0.0;
    auto cyclePeakGrowth = 0.0;
    auto peakKnown = true;

    for (auto _ : state)
    {
        state.PauseTiming();
        const auto before = residentMegabytes();
        peakKnown = resetPeakResident() && peakKnown;
        state.ResumeTiming();

        auto instance = makeAndRead();

        state.PauseTiming();
        instanceGrowth += residentMegabytes() - before;
        state.ResumeTiming();

        instance.reset();

        state.PauseTiming();
        cyclePeakGrowth = std::max (cyclePeakGrowth, peakResidentMegabytes() - before);
        state.ResumeTiming();
    }

    state.counters["instance_resident_MB"] = instanceGrowth / static_cast<double> (state.iterations());
    state.counters["cycle_peak_resident_MB"] = peakKnown ? cyclePeakGrowth : -1.0;
}
} // namespace

BENCHMARK_CAPTURE (scanCycleBench, warbloom, WARBLOOM_VST3_BUNDLE)->Unit (benchmark::kMillisecond);
BENCHMARK_CAPTURE (scanCycleBench, bare_juce_effect_baseline, WARBLOOM_BASELINE_VST3_BUNDLE)->Unit (benchmark::kMillisecond);

// The hosting runs on JUCE's message thread, this one.
int main (int argc, char** argv)
{
    const juce::ScopedJuceInitialiser_GUI juce;
    return runBenchmarks (argc, argv);
}
