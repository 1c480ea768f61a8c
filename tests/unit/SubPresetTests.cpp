#include "presets/SubPresetFile.h"
#include "processor/ParameterRestore.h"
#include "support/PresetTestProcessor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <type_traits>

namespace
{
juce::StringArray groupParameters (int index)
{
    juce::StringArray ids;

    for (const auto& entry : SubPresets[index].entries)
    {
        if (entry.kind == SubPresetKind::endOfList)
            break;

        ids.add (entry.parameterID);
    }

    return ids;
}

juce::MemoryBlock fileBytes (std::initializer_list<float> values, const char* magic = "WBMX")
{
    juce::MemoryOutputStream out;
    out.write (magic, 4);

    for (auto v : values)
        out.writeFloat (v);

    return out.getMemoryBlock();
}

std::vector<float> values (juce::AudioProcessor& processor, const juce::StringArray& ids)
{
    std::vector<float> result;

    for (const auto& id : ids)
        result.push_back (findParameter (processor, id)->getValue());

    return result;
}

void setAll (juce::AudioProcessor& processor, const juce::StringArray& ids, float value)
{
    for (const auto& id : ids)
        findParameter (processor, id)->setValueNotifyingHost (value);
}

TEST (SubPresets, GroupsHoldTheirParametersInFileOrder)
{
    WarbloomAudioProcessor processor;
    const std::pair<int, size_t> sizes[] = { { 10, 44 }, { 19, 80 }, { 9, 40 }, { 13, 56 } };

    for (int group = 0; group < 4; ++group)
    {
        const auto ids = groupParameters (group);
        EXPECT_EQ (ids.size(), sizes[group].first);
        EXPECT_STREQ (SubPresets[group].folder, "SubPresets");
        EXPECT_EQ (SubPresetFile::write (SubPresets[group], processor).getSize(), sizes[group].second);

        for (const auto& id : ids)
            EXPECT_NE (findParameter (processor, id), nullptr) << id;
    }

    EXPECT_STREQ (SubPresets[0].title, "TONE Sub Preset");
    EXPECT_STREQ (SubPresets[3].extension, ".Gsp");
    EXPECT_STREQ (directorySeperator, "/");
    EXPECT_STREQ (pmDummy, "");
    EXPECT_STREQ (SubPresets[4].title, "");
    EXPECT_STREQ (SubPresets[0].entries[10].parameterID, "");

    juce::StringArray notRandomised;

    for (int group = 0; group < 4; ++group)
        for (const auto& entry : SubPresets[group].entries)
            if (entry.kind == SubPresetKind::notRandomised)
                notRandomised.add (entry.parameterID);

    EXPECT_EQ (notRandomised, juce::StringArray ({ "filterRes", "toneMix", "echoMix" }));
}

// A message thread may still walk the table while the module's statics are destroyed at exit,
// so the table and the path strings beside it must have nothing to destroy.
static_assert (std::is_trivially_destructible_v<SubPresetST>);
static_assert (std::is_trivially_destructible_v<std::remove_all_extents_t<decltype (directorySeperator)>>);
static_assert (std::is_trivially_destructible_v<std::remove_all_extents_t<decltype (pmDummy)>>);

TEST (SubPresets, SavedGroupLoadsBackExactly)
{
    PresetTestProcessor p;
    auto& presets = p.presets();
    const auto ids = groupParameters (0);

    for (int i = 0; i < ids.size(); ++i)
        findParameter (p.processor, ids[i])->setValueNotifyingHost ((float) (i + 1) / 11.0f);

    const auto saved = values (p.processor, ids);
    p.dialogs->chooseItem ("Save-As...");
    p.dialogs->textReplies.push_back ("Warm");
    presets.saveSubPreset (0);

    ASSERT_EQ (presets.subPresetPaths[0], p.path ("SubPresets/Warm.Tsp"));
    EXPECT_EQ (p.dialogs->menus[0][0], "# Save TONE Sub Preset");
    EXPECT_EQ (p.dialogs->prompts[0], "Save As|Enter New Sub-Preset Name|Sub-Preset Name: |");

    juce::MemoryBlock file;
    ASSERT_TRUE (juce::File (presets.subPresetPaths[0]).loadFileAsData (file));
    ASSERT_EQ (file.getSize(), 44u);
    EXPECT_EQ (std::memcmp (file.getData(), "WBMX", 4), 0);
    juce::MemoryInputStream in (file, false);
    in.skipNextBytes (4);

    for (auto v : saved)
        EXPECT_EQ (in.readFloat(), v);

    // Loading sets the same floats again; stepped ranges may move them by rounding only.

    setAll (p.processor, ids, 0.0f);
    p.dialogs->chooseItem ("Warm");
    presets.loadSubPreset (0);

    const auto loaded = values (p.processor, ids);

    for (size_t i = 0; i < saved.size(); ++i)
        EXPECT_FLOAT_EQ (loaded[i], saved[i]) << ids[(int) i];
    EXPECT_EQ (p.dialogs->menus[1][2], "Warm 2 *");
}

// What a parameter reports after being set to a normalised value: ranges with steps snap it.
float reported (juce::AudioProcessor& reference, const juce::String& id, float value)
{
    auto* parameter = findParameter (reference, id);
    parameter->setValue (value);
    return parameter->getValue();
}

TEST (SubPresets, ValuesAreAppliedByPosition)
{
    WarbloomAudioProcessor reference;
    const auto tone = groupParameters (0);
    const auto keep = std::numeric_limits<float>::quiet_NaN();
    const std::vector<float> toneValues { 0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f, 0.9f, 1.0f };

    struct Case
    {
        const char* what;
        juce::MemoryBlock bytes;
        std::vector<float> expected; // the value each tone parameter was set to; keep: untouched
    };

    auto cutShort = fileBytes ({ 0.1f, 0.2f });
    cutShort.append ("\x01\x02", 2);

    const Case cases[] = {
        { "full", fileBytes ({ 0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f, 0.9f, 1.0f }), toneValues },
        { "extra bytes", fileBytes ({ 0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f, 0.9f, 1.0f, 0.25f, 0.5f }), toneValues },
        { "magic only", fileBytes ({}), std::vector<float> (10, keep) },
        { "wrong magic", fileBytes ({ 0.1f, 0.2f }, "WBMY"), std::vector<float> (10, keep) },
        { "short magic", juce::MemoryBlock ("WBM", 3), std::vector<float> (10, keep) },
        { "value cut short reads 0", cutShort, { 0.1f, 0.2f, 0.0f, keep, keep, keep, keep, keep, keep, keep } },
        { "not finite kept, out of range clamped", fileBytes ({ keep, std::numeric_limits<float>::infinity(), 7.0f, -2.0f }), { keep, keep, 1.0f, 0.0f, keep, keep, keep, keep, keep, keep } },
    };

    for (const auto& c : cases)
    {
        WarbloomAudioProcessor processor;
        setAll (processor, tone, 0.5f);
        juce::MemoryInputStream in (c.bytes, false);
        SubPresetFile::read (in, SubPresets[0], processor);

        for (int i = 0; i < tone.size(); ++i)
        {
            const auto set = c.expected[(size_t) i];
            EXPECT_FLOAT_EQ (findParameter (processor, tone[i])->getValue(), reported (reference, tone[i], std::isnan (set) ? 0.5f : set)) << c.what << ": " << tone[i];
        }
    }
}

TEST (SubPresets, AnotherGroupsFileFillsThisGroupByPosition)
{
    PresetTestProcessor p;
    WarbloomAudioProcessor reference;
    auto& presets = p.presets();
    const auto tone = groupParameters (0);
    const auto echo = groupParameters (2);

    setAll (p.processor, echo, 0.75f);
    p.temp.write ("SubPresets/Echoes.Tsp", SubPresetFile::write (SubPresets[2], p.processor));
    setAll (p.processor, tone, 0.25f);

    p.dialogs->chooseItem ("Echoes");
    presets.loadSubPreset (0);

    for (int i = 0; i < echo.size(); ++i)
        EXPECT_FLOAT_EQ (findParameter (p.processor, tone[i])->getValue(), reported (reference, tone[i], findParameter (p.processor, echo[i])->getValue())) << tone[i];

    EXPECT_FLOAT_EQ (findParameter (p.processor, tone[9])->getValue(), reported (reference, tone[9], 0.25f)) << "missing from a nine-value file";
}

TEST (SubPresets, SavingOverAFileReplacesItWhole)
{
    PresetTestProcessor p;
    auto& presets = p.presets();
    const auto old = p.temp.write ("SubPresets/Gate.Gsp", juce::MemoryBlock (200, true));

    p.dialogs->chooseItem ("Gate");
    p.dialogs->yesNoReplies.push_back (1);
    presets.saveSubPreset (3);

    EXPECT_EQ (p.dialogs->questions, juce::StringArray ("Overwrite Gate ?"));
    EXPECT_EQ (old.getSize(), 56);
}

TEST (SubPresets, DeclinedOverwriteWritesNothing)
{
    PresetTestProcessor p;
    auto& presets = p.presets();
    const auto old = p.temp.write ("SubPresets/Gate.Gsp", juce::MemoryBlock (200, true));

    p.dialogs->chooseItem ("Gate");
    presets.saveSubPreset (3);

    EXPECT_EQ (old.getSize(), 200);
    EXPECT_TRUE (presets.subPresetPaths[3].isEmpty());
}
} // namespace
