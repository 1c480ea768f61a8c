#include "hosting/HostedPlugin.h"
#include "support/SampleRateTable.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
using warbloom::hosting::HostedPlugin;

constexpr double rate = 48000.0;
constexpr int blockSize = 512;

std::unique_ptr<HostedPlugin> loadPrepared (int numChannels)
{
    juce::String error;
    auto plugin = HostedPlugin::loadBuilt (rate, blockSize, error);
    EXPECT_NE (plugin, nullptr) << error;
    if (plugin != nullptr)
    {
        plugin->prepare (rate, blockSize, numChannels);
        plugin->playHead.setPosition (120.0, 0.0, false);
    }
    return plugin;
}

// Runs the whole signal through in blocks, as a host would.
juce::AudioBuffer<float> render (HostedPlugin& plugin, const juce::AudioBuffer<float>& input)
{
    juce::AudioBuffer<float> output (input.getNumChannels(), input.getNumSamples());
    juce::AudioBuffer<float> block (input.getNumChannels(), blockSize);
    for (int start = 0; start < input.getNumSamples(); start += blockSize)
    {
        const auto length = std::min (blockSize, input.getNumSamples() - start);
        block.setSize (input.getNumChannels(), length, false, false, true);
        for (int channel = 0; channel < input.getNumChannels(); ++channel)
            block.copyFrom (channel, 0, input, channel, start, length);
        plugin.process (block);
        for (int channel = 0; channel < input.getNumChannels(); ++channel)
            output.copyFrom (channel, start, block, channel, 0, length);
    }
    return output;
}

// A second of silence lets the output ramps and the delay glide settle; then an impulse.
constexpr int impulseAt = 48000;

juce::AudioBuffer<float> impulse (int numChannels, float height)
{
    juce::AudioBuffer<float> input (numChannels, impulseAt + 30000);
    input.clear();
    for (int channel = 0; channel < numChannels; ++channel)
        input.setSample (channel, impulseAt, height);
    return input;
}

int loudestIn (const juce::AudioBuffer<float>& buffer, int from, int to)
{
    auto best = from;
    for (int i = from; i < to; ++i)
        if (std::abs (buffer.getSample (0, i)) > std::abs (buffer.getSample (0, best)))
            best = i;
    return best;
}

TEST (SignalPath, ImpulseComesBackAfterTheDottedEighth)
{
    auto plugin = loadPrepared (2);
    ASSERT_NE (plugin, nullptr);
    const auto output = render (*plugin, impulse (2, 0.1f));

    // The dry path carries the tone section's response at 1 - 0.3 of the echo mix; the echo
    // returns the same response 18,000 + 1 samples later at 0.3, through the clipper
    // (0.998771 at this height).
    const auto direct = loudestIn (output, impulseAt, impulseAt + 1000);
    const auto echoed = loudestIn (output, impulseAt + 17000, impulseAt + 19000);
    EXPECT_EQ (echoed - direct, 18001);

    const auto clipGain = (0.01f + 512.0f) / (64.0f * 0.01f + 512.0f);
    const auto ratio = output.getSample (0, echoed) / output.getSample (0, direct);
    EXPECT_NEAR (ratio, 0.3f / 0.7f * clipGain, 0.01f);
    EXPECT_NEAR (output.getSample (1, echoed), output.getSample (0, echoed), 1e-6f);
}

TEST (SignalPath, DryWetZeroReturnsTheInputBitExact)
{
    auto plugin = loadPrepared (2);
    ASSERT_NE (plugin, nullptr);
    auto* dryWet = plugin->parameterWithIdentifier ("dryWetMix");
    ASSERT_NE (dryWet, nullptr);
    dryWet->setValue (0.0f);
    auto* gain = plugin->parameterWithIdentifier ("outputGain");
    ASSERT_NE (gain, nullptr);
    gain->setValue (0.9f);

    juce::AudioBuffer<float> input (2, 48000);
    juce::Random random (17);
    for (int channel = 0; channel < 2; ++channel)
        for (int i = 0; i < input.getNumSamples(); ++i)
            input.setSample (channel, i, random.nextFloat() * 1.6f - 0.8f);

    const auto output = render (*plugin, input);
    for (int channel = 0; channel < 2; ++channel)
        for (int i = 0; i < input.getNumSamples(); ++i)
            ASSERT_EQ (output.getSample (channel, i), input.getSample (channel, i)) << channel << " " << i;
}

TEST (SignalPath, DefaultsBelow44kHoldTheLevelOf48k)
{
    // The unit tests run every rate and setting; here the bundle as built, at the rates where
    // the default 20 kHz cutoff lies above half the sample rate.
    const auto renderAt = [] (double sampleRate, const sampleRateTable::Setting& setting)
    {
        juce::String error;
        auto plugin = HostedPlugin::loadBuilt (sampleRate, blockSize, error);
        if (plugin == nullptr)
        {
            ADD_FAILURE() << error;
            return juce::AudioBuffer<float>();
        }

        sampleRateTable::apply (setting, [&] (const juce::String& identifier)
                                { return plugin->parameterWithIdentifier (identifier); });
        plugin->prepare (sampleRate, blockSize, 2);
        plugin->playHead.setPosition (120.0, 0.0, false);
        return render (*plugin, sampleRateTable::chordInput (sampleRate));
    };

    sampleRateTable::expectLevelsHold (renderAt, sampleRateTable::settings.front(), { 22050.0, 32000.0 });
}

TEST (SignalPath, MonoLayoutProcessesChannelZero)
{
    auto plugin = loadPrepared (1);
    ASSERT_NE (plugin, nullptr);
    EXPECT_EQ (plugin->processor().getTotalNumOutputChannels(), 1);
    const auto output = render (*plugin, impulse (1, 0.1f));

    // With one channel the right line stays silent: the echo comes back at half the wet level.
    const auto direct = loudestIn (output, impulseAt, impulseAt + 1000);
    const auto echoed = loudestIn (output, impulseAt + 17000, impulseAt + 19000);
    EXPECT_EQ (echoed - direct, 18001);
    const auto clipGain = (0.01f + 512.0f) / (64.0f * 0.01f + 512.0f);
    EXPECT_NEAR (output.getSample (0, echoed) / output.getSample (0, direct), 0.5f * 0.3f / 0.7f * clipGain, 0.01f);
}
} // namespace
