#include "processor/EngineSettings.h"
#include "processor/WarbloomAudioProcessor.h"
#include "support/SampleRateTable.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
// A play head whose answer the test sets; an empty position stands for a host that gives none.
struct TestPlayHead : juce::AudioPlayHead
{
    juce::Optional<PositionInfo> getPosition() const override { return position; }
    juce::Optional<PositionInfo> position;
};

juce::AudioPlayHead::PositionInfo positionWith (juce::Optional<double> bpm, juce::Optional<double> ppq, bool playing)
{
    juce::AudioPlayHead::PositionInfo info;
    info.setBpm (bpm);
    info.setPpqPosition (ppq);
    info.setIsPlaying (playing);
    return info;
}

struct Frame
{
    explicit Frame (double rate = 48000.0, int block = 512, int channels = 2)
        : blockSize (block)
    {
        if (channels == 1)
        {
            juce::AudioProcessor::BusesLayout layout;
            layout.inputBuses.add (juce::AudioChannelSet::mono());
            layout.outputBuses.add (juce::AudioChannelSet::mono());
            processor.setBusesLayout (layout);
        }
        processor.setRateAndBufferSizeDetails (rate, block);
        processor.prepareToPlay (rate, block);
    }

    juce::AudioBuffer<float> process (int numSamples, float (*signal) (int))
    {
        juce::AudioBuffer<float> buffer (processor.getTotalNumOutputChannels(), numSamples);
        for (int channel = 0; channel < buffer.getNumChannels(); ++channel)
            for (int i = 0; i < numSamples; ++i)
                buffer.setSample (channel, i, signal (i + channel * 7));
        juce::MidiBuffer midi;
        processor.processBlock (buffer, midi);
        return buffer;
    }

    juce::AudioBuffer<float> process (int numSamples)
    {
        return process (numSamples, [] (int i)
                        { return 0.3f * std::sin (0.05f * static_cast<float> (i)); });
    }

    // Runs the signal through in blocks of the prepared size.
    juce::AudioBuffer<float> render (juce::AudioBuffer<float> signal)
    {
        juce::MidiBuffer midi;
        for (int start = 0; start < signal.getNumSamples(); start += blockSize)
        {
            juce::AudioBuffer<float> block (signal.getArrayOfWritePointers(), signal.getNumChannels(), start, std::min (blockSize, signal.getNumSamples() - start));
            processor.processBlock (block, midi);
        }
        return signal;
    }

    int blockSize;
    WarbloomAudioProcessor processor;
    PluginParameters& fields = processor.pluginParameters;
};

TEST (BlockFrame, NoPlayHeadFreeRunsAt120)
{
    Frame frame;
    frame.process (512);
    frame.process (512);
    EXPECT_EQ (frame.processor.currentBpm, 120.0);
    EXPECT_FALSE (frame.processor.isPlaying);
    EXPECT_DOUBLE_EQ (frame.processor.currentPpqPosition, 1024 * 2.0 / 48000.0);
    EXPECT_EQ (frame.processor.waveShiftSnapshot, 0.0f);
}

TEST (BlockFrame, PlayHeadCases)
{
    Frame frame;
    TestPlayHead head;
    frame.processor.setPlayHead (&head);
    frame.fields.tonePowerOn = false; // the tone clocks then keep what the frame gave them
    auto& tone = *frame.processor.toneEngine;

    // Stopped at 90 BPM: the host's position is ignored and the engine's runs on.
    head.position = positionWith (90.0, 33.0, false);
    frame.process (512);
    EXPECT_EQ (frame.processor.currentBpm, 90.0);
    EXPECT_DOUBLE_EQ (frame.processor.currentPpqPosition, 512 * 1.5 / 48000.0);
    EXPECT_EQ (frame.processor.waveShiftSnapshot, 0.25f);

    // A position without tempo runs the clocks at 120.
    head.position = positionWith ({}, 4.0, true);
    tone.toneLfo.phase = 0.3;
    frame.process (512);
    EXPECT_EQ (frame.processor.currentBpm, 120.0);
    EXPECT_EQ (frame.processor.currentPpqPosition, 4.0);
    EXPECT_EQ (tone.toneLfo.phase, 0.3); // not at 0: no restart

    // Playing without a ppq position: position 0 every block, and every clock restarts.
    head.position = positionWith (100.0, {}, true);
    for (int block = 0; block < 2; ++block)
    {
        tone.toneLfo.phase = tone.freakoutClock.phase = tone.gateClock.phase = 0.3;
        frame.processor.echoEngine->freakoutClock.phase = 0.3;
        frame.process (0);
        EXPECT_EQ (frame.processor.currentPpqPosition, 0.0);
        for (const auto phase : { tone.toneLfo.phase, tone.freakoutClock.phase, tone.gateClock.phase, frame.processor.echoEngine->freakoutClock.phase })
            EXPECT_EQ (phase, 0.0);
    }

    // No position at all: 120 BPM, position 0, stopped; then the position runs on.
    head.position = {};
    frame.process (480);
    EXPECT_EQ (frame.processor.currentBpm, 120.0);
    EXPECT_FALSE (frame.processor.isPlaying);
    EXPECT_DOUBLE_EQ (frame.processor.currentPpqPosition, 480 * 2.0 / 48000.0);

    // A host's NaN tempo or position counts as none.
    head.position = positionWith (std::nan (""), std::numeric_limits<double>::infinity(), true);
    frame.process (64);
    EXPECT_EQ (frame.processor.currentBpm, 120.0);
    EXPECT_EQ (frame.processor.currentPpqPosition, 0.0);
}

TEST (BlockFrame, OutputStageMixesAtEqualPower)
{
    OutputSmoothers output;
    output.prepare (44100.0);
    std::vector<float> left (441, 0.5f), right (441, -0.5f);
    const std::vector<float> dryLeft (441, 0.2f), dryRight (441, 0.1f);

    // From the initial zeros: gain and mix ramp over floor (0.01 * 44100) = 441 samples.
    output.process (left.data(), right.data(), dryLeft.data(), dryRight.data(), 441, 2.0f, 0.25f);
    EXPECT_FALSE (output.gain.isSmoothing());
    EXPECT_FLOAT_EQ (left.back(), 0.5f * 2.0f * 0.5f + 0.2f * std::sqrt (0.75f));
    EXPECT_FLOAT_EQ (right.back(), -0.5f * 2.0f * 0.5f + 0.1f * std::sqrt (0.75f));
    EXPECT_NEAR (left[219], 0.5f * (2.0f * 220.0f / 441.0f) * std::sqrt (0.25f * 220.0f / 441.0f) + 0.2f * std::sqrt (1.0f - 0.25f * 220.0f / 441.0f), 1e-5f);

    // Mono: the right pointers are absent and nothing touches them.
    std::vector<float> mono (10, 0.5f);
    output.process (mono.data(), nullptr, dryLeft.data(), nullptr, 10, 2.0f, 0.25f);
    EXPECT_FLOAT_EQ (mono[0], 0.5f * 2.0f * 0.5f + 0.2f * std::sqrt (0.75f));
}

TEST (BlockFrame, DryWetZeroReturnsTheInputWhateverTheGain)
{
    Frame frame;
    frame.fields.dryWetMixValue = 0.0f;
    frame.fields.outputGainLinear = 3.9f;
    frame.fields.satMixValue = 0.8f;
    frame.fields.echoFeedbackValue = 0.9f;
    frame.process (4800); // lets the mix ramp down
    for (int block = 0; block < 4; ++block)
    {
        const auto out = frame.process (512);
        for (int channel = 0; channel < 2; ++channel)
            for (int i = 0; i < 512; ++i)
                ASSERT_EQ (out.getSample (channel, i), 0.3f * std::sin (0.05f * static_cast<float> (i + channel * 7)));
    }
}

TEST (BlockFrame, ToneOffPassesTheBlockToTheEcho)
{
    Frame frame;
    frame.fields.tonePowerOn = false;
    frame.fields.echoPowerOn = false;
    frame.process (512); // the output gain ramps up from 0 after prepare
    const auto out = frame.process (512);
    for (int channel = 0; channel < 2; ++channel)
        for (int i = 0; i < 512; ++i)
            ASSERT_EQ (out.getSample (channel, i), 0.3f * std::sin (0.05f * static_cast<float> (i + channel * 7)));
}

TEST (BlockFrame, MonoLayoutProcessesChannelZero)
{
    Frame mono (48000.0, 256, 1);
    EXPECT_EQ (mono.processor.getTotalNumOutputChannels(), 1);
    mono.fields.echoSpreadValue = 1.0f;
    mono.process (256);
    EXPECT_EQ (mono.processor.echoEngine->line (1)[100], 0.0);
    EXPECT_NE (mono.processor.echoEngine->line (0)[100], 0.0);
}

bool isDenormal (float x)
{
    return x != 0.0f && std::abs (x) < std::numeric_limits<float>::min();
}

TEST (BlockFrame, SweepStaysFiniteWithoutDenormals)
{
    for (const auto rate : sampleRateTable::rates)
    {
        for (const auto block : { 1, 17, 64, 512 })
        {
            Frame frame (rate, block);
            frame.fields.toneModGatePowerOn = true;
            frame.fields.toneFilterModDepthValue = 1.0f;
            frame.fields.toneAmpModDepthValue = 0.7f;
            frame.fields.filterResValue = 90.0f;
            frame.fields.satMixValue = 0.5f;
            frame.fields.freakoutValue = 1.0f;
            frame.fields.freakoutRateIndex = 16;
            frame.fields.echoDampValue = 60.0f;
            frame.fields.echoFeedbackValue = 0.95f;
            frame.fields.toneModStepOn[2] = false;
            frame.fields.echoModStepOn[5] = false;
            frame.fields.echoInputModLevelValue = 0.5f;

            // Signal, then a long silence in which every tail decays.
            const auto total = static_cast<int> (rate * 1.5);
            for (int done = 0; done < total; done += block)
            {
                const auto silent = done > static_cast<int> (rate * 0.25);
                const auto out = silent ? frame.process (block, [] (int)
                                                         { return 0.0f; })
                                        : frame.process (block);
                for (int channel = 0; channel < 2; ++channel)
                    for (int i = 0; i < block; ++i)
                    {
                        const auto x = out.getSample (channel, i);
                        ASSERT_TRUE (std::isfinite (x)) << rate << " " << block;
                        ASSERT_FALSE (isDenormal (x)) << rate << " " << block;
                    }
            }
        }
    }
}

TEST (BlockFrame, EveryRateHoldsTheLevelOf48k)
{
    const auto renderAt = [] (double rate, const sampleRateTable::Setting& setting)
    {
        Frame frame (rate);
        sampleRateTable::apply (setting, [&] (const juce::String& identifier)
                                { return frame.processor.apvts.getParameter (identifier); });
        return frame.render (sampleRateTable::chordInput (rate));
    };

    for (const auto& setting : sampleRateTable::settings)
        sampleRateTable::expectLevelsHold (renderAt, setting, sampleRateTable::rates);
}

TEST (BlockFrame, NonFiniteInputNeverComesOut)
{
    Frame frame;
    frame.fields.echoFeedbackValue = 1.01f;
    frame.fields.filterResValue = 60.0f;
    const auto out = frame.process (512, [] (int i)
                                    {
        if (i % 50 == 3)
            return std::numeric_limits<float>::quiet_NaN();
        if (i % 70 == 5)
            return -std::numeric_limits<float>::infinity();
        return 0.2f; });
    for (int channel = 0; channel < 2; ++channel)
        for (int i = 0; i < 512; ++i)
            ASSERT_TRUE (std::isfinite (out.getSample (channel, i))) << i;

    const auto next = frame.process (512);
    for (int i = 0; i < 512; ++i)
        ASSERT_TRUE (std::isfinite (next.getSample (0, i)));
}

TEST (BlockFrame, LargerBlockThanAnnouncedIsProcessed)
{
    Frame frame (48000.0, 64);
    const auto out = frame.process (4096);
    EXPECT_TRUE (std::isfinite (out.getSample (1, 4095)));
    EXPECT_NE (out.getSample (1, 4095), 0.0f);
}

// A host that breaks its promise and sends more samples than prepareToPlay announced hears the
// block as the announced-size blocks it could have sent, in mono and stereo, up to 8 times over.
// Each size follows the last on the same two processors, which stay alike while the outputs do.
TEST (BlockFrame, LargerBlockSoundsAsTheAnnouncedBlocks)
{
    constexpr int announced = 64;

    for (const auto channels : { 1, 2 })
    {
        Frame whole (48000.0, announced, channels), pieces (48000.0, announced, channels);

        for (auto* frame : { &whole, &pieces })
        {
            frame->fields.echoFeedbackValue = 0.9f;
            frame->fields.echoMixValue = 0.6f;
            frame->fields.toneModGatePowerOn = true;
            frame->fields.filterCutValue = 900.0f;
        }

        for (const auto size : { announced + 1, 2 * announced, 3 * announced + 17, 8 * announced })
        {
            juce::AudioBuffer<float> signal (channels, size);
            for (int channel = 0; channel < channels; ++channel)
                for (int i = 0; i < size; ++i)
                    signal.setSample (channel, i, 0.4f * std::sin (0.031f * static_cast<float> (i + 5 * channel)));

            auto once = signal;
            juce::MidiBuffer midi;
            whole.processor.processBlock (once, midi);
            const auto expected = pieces.render (signal);

            for (int channel = 0; channel < channels; ++channel)
                for (int i = 0; i < size; ++i)
                    ASSERT_EQ (once.getSample (channel, i), expected.getSample (channel, i))
                        << channels << " channels, " << size << " samples, at " << i;
        }
    }
}

TEST (BlockFrame, ReleaseClearsOnlyTheLines)
{
    Frame frame;
    frame.process (20000);
    const auto rampState = frame.processor.echoEngine->dampSmoother.getCurrentValue();
    frame.processor.releaseResources();
    EXPECT_EQ (frame.processor.echoEngine->writeIndex, 0);
    EXPECT_EQ (frame.processor.echoEngine->line (0)[100], 0.0);
    EXPECT_EQ (frame.processor.echoEngine->feedbackLeft, 0.0f);
    EXPECT_EQ (frame.processor.echoEngine->dampSmoother.getCurrentValue(), rampState);
}

// Echoes written before a release are gone afterwards, whether the host plays on or prepares
// again first. The sound runs once through the whole lines, since a release also sends the writing
// back to their start, and the reads then come from their end. The tone section is off, so that
// silence in gives nothing but the echo's reads.
TEST (BlockFrame, SilenceAfterAReleaseComesOutSilent)
{
    for (const auto prepareAgain : { false, true })
    {
        Frame frame;
        frame.fields.tonePowerOn = false;
        frame.fields.echoFeedbackValue = 0.9f;
        for (int done = 0; done < EchoEngine::lineLength; done += frame.blockSize)
            frame.process (frame.blockSize);

        frame.processor.releaseResources();
        if (prepareAgain)
            frame.processor.prepareToPlay (48000.0, frame.blockSize);

        juce::AudioBuffer<float> silence (2, 96000);
        silence.clear();
        const auto out = frame.render (silence);
        for (int channel = 0; channel < 2; ++channel)
            for (int i = 0; i < out.getNumSamples(); ++i)
                ASSERT_EQ (out.getSample (channel, i), 0.0f) << "prepared again: " << prepareAgain << ", channel " << channel << " at " << i;
    }
}

TEST (BlockFrame, SettingsReadTheDefaultFields)
{
    WarbloomAudioProcessor processor;
    const ToneSettings toneDefaults;
    const auto tone = readToneSettings (processor.pluginParameters);
    EXPECT_EQ (tone.bandSplitter, toneDefaults.bandSplitter);
    EXPECT_EQ (tone.inputDriveGain, toneDefaults.inputDriveGain);
    EXPECT_EQ (tone.toneMix, toneDefaults.toneMix);
    EXPECT_EQ (tone.lfoRate, toneDefaults.lfoRate);
    EXPECT_EQ (tone.gateRate, toneDefaults.gateRate);
    EXPECT_EQ (tone.gatePowerOn, toneDefaults.gatePowerOn);
    EXPECT_EQ (tone.freakoutRate, toneDefaults.freakoutRate);
    EXPECT_EQ (tone.stepOn, toneDefaults.stepOn);

    const EchoSettings echoDefaults;
    const auto echo = readEchoSettings (processor.pluginParameters);
    EXPECT_EQ (echo.rate1, echoDefaults.rate1);
    EXPECT_EQ (echo.feedback, echoDefaults.feedback);
    EXPECT_EQ (echo.mix, echoDefaults.mix);
    EXPECT_EQ (echo.inputGain, echoDefaults.inputGain);
    EXPECT_EQ (echo.gatePowerOn, echoDefaults.gatePowerOn);
    EXPECT_EQ (echo.modTotal, echoDefaults.modTotal);
}
} // namespace
