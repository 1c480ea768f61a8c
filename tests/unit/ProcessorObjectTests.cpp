#include "processor/WarbloomAudioProcessor.h"
#include "support/BareProcessor.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
using Set = juce::AudioChannelSet;

TEST (ProcessorObject, FixedAnswers)
{
    WarbloomAudioProcessor processor;
    EXPECT_EQ (processor.getName(), "Warbloom");
    EXPECT_EQ (processor.getTailLengthSeconds(), std::numeric_limits<double>::infinity());
    EXPECT_FALSE (processor.acceptsMidi());
    EXPECT_FALSE (processor.producesMidi());
    EXPECT_FALSE (processor.isMidiEffect());
    EXPECT_TRUE (processor.hasEditor());
    EXPECT_EQ (processor.getNumPrograms(), 1);
    EXPECT_EQ (processor.getCurrentProgram(), 0);
    EXPECT_EQ (processor.getProgramName (0), "");
    EXPECT_EQ (processor.getProgramName (5), "");

    processor.setCurrentProgram (3);
    processor.changeProgramName (0, "Renamed");
    EXPECT_EQ (processor.getCurrentProgram(), 0);
    EXPECT_EQ (processor.getProgramName (0), "");

    EXPECT_EQ (processor.getBusCount (true), 1);
    EXPECT_EQ (processor.getBusCount (false), 1);
    EXPECT_EQ (processor.getBus (true, 0)->getName(), "Input");
    EXPECT_EQ (processor.getBus (false, 0)->getName(), "Output");
    EXPECT_EQ (processor.getMainBusNumInputChannels(), 2);
    EXPECT_EQ (processor.getMainBusNumOutputChannels(), 2);
}

TEST (ProcessorObject, BusLayoutTable)
{
    WarbloomAudioProcessor processor;

    struct Case
    {
        Set input;
        Set output;
        bool accepted;
    };
    const Case cases[] = {
        { Set::stereo(), Set::stereo(), true },
        { Set::mono(), Set::mono(), true },
        { Set::mono(), Set::stereo(), false },
        { Set::stereo(), Set::mono(), false },
        { Set::disabled(), Set::stereo(), false },
        { Set::disabled(), Set::disabled(), false },
        { Set::createLCR(), Set::createLCR(), false },
        { Set::quadraphonic(), Set::quadraphonic(), false },
    };

    for (const auto& c : cases)
    {
        juce::AudioProcessor::BusesLayout layout;
        layout.inputBuses.add (c.input);
        layout.outputBuses.add (c.output);
        EXPECT_EQ (processor.isBusesLayoutSupported (layout), c.accepted) << c.input.getDescription() << " -> " << c.output.getDescription();
    }

    juce::AudioProcessor::BusesLayout noBuses;
    EXPECT_FALSE (processor.isBusesLayoutSupported (noBuses));
}

// Counts listener registrations on a parameter state outliving the object that registered them.
TEST (ProcessorObject, ParameterObjectRemovesEveryListenerItAdded)
{
    BareProcessor host;

    juce::AudioProcessorValueTreeState state (host, nullptr, "Warbloom", PluginParameters::createParameterLayout());
    auto parameters = std::make_unique<PluginParameters> (state);
    auto* mix = state.getParameter ("echoMix");

    mix->setValueNotifyingHost (mix->convertTo0to1 (50.0f));
    EXPECT_FLOAT_EQ (parameters->echoMixValue.load(), 0.5f);

    // After destruction no listener may be left behind: a change must not reach freed memory
    // (AddressSanitizer reports it in the sanitizer run).
    parameters.reset();
    mix->setValueNotifyingHost (0.1f);
    state.getParameter ("freakoutFilter")->setValueNotifyingHost (0.0f);
    state.getParameter ("bandSplitter")->setValueNotifyingHost (0.9f);
    SUCCEED();
}
} // namespace
