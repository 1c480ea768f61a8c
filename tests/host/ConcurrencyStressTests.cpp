#include "hosting/HostedPlugin.h"
#include "support/LoadBuiltWarbloom.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <iostream>
#include <random>
#include <thread>

namespace
{
using namespace std::chrono_literals;

void pumpMessages (int milliseconds)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
}

struct Counts
{
    std::atomic<int> blocks { 0 }, nonFiniteSamples { 0 }, automations { 0 }, restores { 0 }, editorOpens { 0 };
};

// Processes blocks of a sine back to back with the transport playing, as a host's audio thread.
void processAudio (warbloom::hosting::HostedPlugin& plugin, const std::atomic<bool>& stop, Counts& counts)
{
    constexpr int blockSize = 512;
    juce::AudioBuffer<float> buffer (2, blockSize);
    double ppq = 0.0;
    int sample = 0;

    while (! stop.load())
    {
        for (int i = 0; i < blockSize; ++i, ++sample)
            for (int channel = 0; channel < 2; ++channel)
                buffer.setSample (channel, i, 0.5f * std::sin (0.013f * (float) (sample % 48000) + (float) channel));

        plugin.playHead.setPosition (120.0, ppq, true);
        plugin.process (buffer);
        ppq += blockSize * 2.0 / 48000.0;

        for (int channel = 0; channel < 2; ++channel)
            for (int i = 0; i < blockSize; ++i)
                if (! std::isfinite (buffer.getSample (channel, i)))
                    counts.nonFiniteSamples.fetch_add (1);

        counts.blocks.fetch_add (1);
    }
}

// Sets one parameter after another to random values every fraction of a millisecond, as host
// automation does; the randomise switches among them make the open editor randomise its groups.
void automate (warbloom::hosting::HostedPlugin& plugin, const std::atomic<bool>& stop, Counts& counts)
{
    const auto parameters = plugin.pluginParameters();
    std::mt19937 random (7);
    std::uniform_real_distribution<float> value (0.0f, 1.0f);

    for (int i = 0; ! stop.load(); ++i)
    {
        parameters[i % parameters.size()]->setValue (value (random));
        counts.automations.fetch_add (1);
        std::this_thread::sleep_for (200us);
    }
}

// Saves the host state and restores it at once, over and over, as a host saving and reloading a
// project does from a thread of its own.
void saveAndRestore (warbloom::hosting::HostedPlugin& plugin, const std::atomic<bool>& stop, Counts& counts)
{
    while (! stop.load())
    {
        juce::MemoryBlock state;
        plugin.processor().getStateInformation (state);
        plugin.processor().setStateInformation (state.getData(), (int) state.getSize());
        counts.restores.fetch_add (1);
        std::this_thread::sleep_for (2ms);
    }
}

// Runs the work on a thread of its own; joining pumps the message loop, because JUCE's host takes
// the message manager lock around the plug-in's state calls.
class Worker
{
public:
    template <typename Work>
    explicit Worker (Work work)
        : thread ([this, work]
                  {
                      work();
                      finished = true; })
    {
    }

    ~Worker()
    {
        while (! finished.load())
            pumpMessages (5);
        thread.join();
    }

private:
    std::atomic<bool> finished { false };
    std::thread thread;
};

// Enough work of every kind to count as overlapping; a thread that silently stops fails the floors.
constexpr int minimumBlocks = 200;
constexpr int minimumAutomations = 2000;
constexpr int minimumRestores = 20;
constexpr int minimumEditorOpens = 6;

// The four threads a host drives a plug-in from, all at once: audio, automation, state save and
// restore, and the message thread opening and closing the editor in a window. The run lasts a few
// seconds, longer (within a limit) where a sanitizer slows it until the restores and editor opens
// reach their floors; each thread must have done real work while the others ran, and the sound
// must stay finite.
TEST (Concurrency, AudioAutomationStateAndEditorRunTogether)
{
    auto plugin = loadWarbloom();
    ASSERT_NE (plugin, nullptr);
    plugin->prepare (48000.0, 512, 2);

    Counts counts;
    std::atomic<bool> stop { false };

    {
        const Worker audio ([&]
                            { processAudio (*plugin, stop, counts); });
        const Worker automation ([&]
                                 { automate (*plugin, stop, counts); });
        const Worker state ([&]
                            { saveAndRestore (*plugin, stop, counts); });

        const auto start = std::chrono::steady_clock::now();
        const auto enough = [&]
        {
            const auto elapsed = std::chrono::steady_clock::now() - start;
            const auto floorsReached = counts.restores.load() > minimumRestores && counts.editorOpens.load() > minimumEditorOpens;
            return elapsed > 60s || (elapsed > 3s && floorsReached);
        };

        while (! enough())
        {
            std::unique_ptr<juce::AudioProcessorEditor> editor (plugin->processor().createEditorIfNeeded());

            if (editor == nullptr)
            {
                ADD_FAILURE() << "no editor";
                break;
            }

            juce::DocumentWindow window ("Warbloom", juce::Colours::black, 0);
            window.setUsingNativeTitleBar (true);
            window.setContentNonOwned (editor.get(), true);
            window.setVisible (true);
            counts.editorOpens.fetch_add (1);
            pumpMessages (80);

            window.clearContentComponent();
            editor.reset();
            pumpMessages (20);
        }

        stop = true;
    }

    plugin->processor().releaseResources();

    EXPECT_EQ (counts.nonFiniteSamples.load(), 0);
    EXPECT_GT (counts.blocks.load(), minimumBlocks);
    EXPECT_GT (counts.automations.load(), minimumAutomations);
    EXPECT_GT (counts.restores.load(), minimumRestores);
    EXPECT_GT (counts.editorOpens.load(), minimumEditorOpens);
    std::cout << counts.blocks.load() << " blocks, " << counts.automations.load() << " automations, " << counts.restores.load()
              << " restores, " << counts.editorOpens.load() << " editor opens\n";
}
} // namespace
