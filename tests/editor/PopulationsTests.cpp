#include "editor/Populations.h"
#include "processor/WarbloomAudioProcessor.h"

#include <gtest/gtest.h>

namespace
{
juce::StringArray itemTexts (const juce::ComboBox& box)
{
    juce::StringArray texts;
    for (int i = 0; i < box.getNumItems(); ++i)
        texts.add (box.getItemText (i));
    return texts;
}

TEST (Populations, ListsHoldTheirRatesInBeatTableOrder)
{
    const struct
    {
        void (*populate) (juce::ComboBox&);
        juce::StringArray texts;
    } lists[] = {
        { Populations::populateEchoRateComboBox, { "1b", ".1/2", "1/2", "1/2T", ".1/4", "1/4", "1/4T", ".1/8", "1/8", "1/8T", ".1/16", "1/16", "1/16T", ".1/32", "1/32", "1/32T", ".1/64", "1/64" } },
        { Populations::populateSeqRateComboBox, { "16b", "12b", "8b", "6b", "4b", "3b", "2b", "1.5b", "1b", "1/2b" } },
        { Populations::populateBendRateComboBox, { "4b", "3b", "2b", "1.5b", "1b", ".1/2", "1/2", "1/2T", ".1/4", "1/4", "1/4T", ".1/8", "1/8", "1/8T", ".1/16", "1/16", "1/16T" } },
    };

    for (const auto& list : lists)
    {
        juce::ComboBox box;
        list.populate (box);
        EXPECT_EQ (itemTexts (box), list.texts);

        // Ids count from 1, and every text is there once: the echo rate link copies by text.
        for (int i = 0; i < box.getNumItems(); ++i)
        {
            EXPECT_EQ (box.getItemId (i), i + 1);
            EXPECT_EQ (list.texts.indexOf (list.texts[i]), i) << list.texts[i];
        }
    }
}

// Bound as the panels bind them, each box shows its parameter's default rate.
TEST (Populations, DefaultValuesSelectTheirRates)
{
    WarbloomAudioProcessor processor;

    const struct
    {
        void (*populate) (juce::ComboBox&);
        const juce::String& parameterID;
        const char* text;
    } cases[] = {
        { Populations::populateEchoRateComboBox, PluginParameters::echoRate1ID, ".1/8" },
        { Populations::populateEchoRateComboBox, PluginParameters::echoRate2ID, ".1/8" },
        { Populations::populateSeqRateComboBox, PluginParameters::echoModGateRateID, "1b" },
        { Populations::populateSeqRateComboBox, PluginParameters::toneModGateRateID, "1b" },
        { Populations::populateBendRateComboBox, PluginParameters::toneModLfoRateID, "1/4" },
        { Populations::populateBendRateComboBox, PluginParameters::freakoutRateID, "1/2" },
    };

    for (const auto& c : cases)
    {
        juce::ComboBox box;
        c.populate (box);
        const juce::AudioProcessorValueTreeState::ComboBoxAttachment attachment (processor.apvts, c.parameterID, box);
        EXPECT_EQ (box.getText(), c.text) << c.parameterID;
    }
}

TEST (Populations, RefillingLeavesOneCopyAndSendsNoChange)
{
    juce::ComboBox box;
    int changes = 0;
    box.onChange = [&changes]
    { ++changes; };

    Populations::populateBendRateComboBox (box);
    box.setSelectedId (5, juce::dontSendNotification);
    Populations::populateBendRateComboBox (box);
    Populations::populateEchoRateComboBox (box);
    juce::MessageManager::getInstance()->runDispatchLoopUntil (50);

    EXPECT_EQ (box.getNumItems(), 18);
    EXPECT_EQ (changes, 0);
}
} // namespace
