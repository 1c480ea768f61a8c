#include "editor/Randomiser.h"
#include "presets/SubPresets.h"
#include "processor/WarbloomAudioProcessor.h"
#include "support/BareProcessor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
// Read during static initialisation, before any test can draw: the words as the module loaded them.
const std::uint32_t seedXAtLoad = SeedX;
const std::uint32_t xorUAtLoad = XorU;

struct Draw
{
    juce::String parameterID;
    float value;
};

// Records every value sent to the listeners of a processor's parameters, and any gesture.
class ParameterRecorder : private juce::AudioProcessorParameter::Listener
{
public:
    explicit ParameterRecorder (juce::AudioProcessor& p)
        : processor (p)
    {
        for (auto* parameter : processor.getParameters())
            parameter->addListener (this);
    }

    ~ParameterRecorder() override
    {
        for (auto* parameter : processor.getParameters())
            parameter->removeListener (this);
    }

    std::vector<Draw> draws;
    int gestures = 0;

private:
    void parameterValueChanged (int index, float value) override
    {
        auto* parameter = dynamic_cast<juce::AudioProcessorParameterWithID*> (processor.getParameters()[index]);
        draws.push_back ({ parameter->paramID, value });
    }

    void parameterGestureChanged (int, bool) override { ++gestures; }

    juce::AudioProcessor& processor;
};

// Keeps the module-wide words as they were, so a test that sets them leaves no trace.
class Randomiser : public testing::Test
{
protected:
    void SetUp() override
    {
        savedSeedX = SeedX;
        savedXorU = XorU;
    }

    void TearDown() override
    {
        SeedX = savedSeedX;
        XorU = savedXorU;
    }

    // The next n numbers of the shared sequence, without moving it.
    static std::vector<float> upcoming (int n)
    {
        const auto seedX = SeedX;
        const auto xorU = XorU;
        std::vector<float> values;
        for (int i = 0; i < n; ++i)
            values.push_back (nextRandom());
        SeedX = seedX;
        XorU = xorU;
        return values;
    }

    static float valueOf (juce::AudioProcessor& processor, const juce::String& parameterID)
    {
        for (auto* parameter : processor.getParameters())
            if (dynamic_cast<juce::AudioProcessorParameterWithID*> (parameter)->paramID == parameterID)
                return parameter->getValue();
        ADD_FAILURE() << parameterID;
        return -1.0f;
    }

    std::uint32_t savedSeedX = 0;
    std::uint32_t savedXorU = 0;
};

// Just enough of a processor to hold a few of the tone group's parameters.
class PartialToneProcessor : public BareProcessor
{
public:
    PartialToneProcessor()
    {
        for (const auto* id : { "satMix", "filterRes", "bandSplitter", "BassFreq" })
            addParameter (new juce::AudioParameterFloat (juce::ParameterID { id, 1 }, id, 0.0f, 1.0f, 0.5f));
    }
};

TEST_F (Randomiser, WordsStartAtTheirLoadValuesAndTheFirstStepIsKnown)
{
    EXPECT_EQ (seedXAtLoad, 0xE9B820CFu);
    EXPECT_EQ (xorUAtLoad, 0xD74A3516u);

    SeedX = seedXAtLoad;
    XorU = xorUAtLoad;
    EXPECT_FLOAT_EQ (nextRandom(), 0.15884726f);
    EXPECT_EQ (XorU, 0x3EF215D9u);
    EXPECT_EQ (SeedX, 0x28AA36A8u);
}

TEST_F (Randomiser, FirstTonePressAfterLoadGivesTheKnownDrawsInTableOrder)
{
    WarbloomAudioProcessor processor;
    const auto filterRes = valueOf (processor, "filterRes");
    const auto toneMix = valueOf (processor, "toneMix");

    SeedX = seedXAtLoad;
    XorU = xorUAtLoad;
    ParameterRecorder recorder (processor);
    randomizeSubPreset (processor, 0);

    const std::vector<Draw> expected {
        { "bandSplitter", 0.15884726f },
        { "inputDrive", 0.24612963f },
        { "bassFreq", 0.40766641f },
        { "bassLevel", 0.66167438f },
        { "filterCut", 0.56947821f },
        { "satCrunch", 0.044766985f },
        { "satMix", 0.49339631f },
        { "driveMix", 0.5425663f },
    };
    ASSERT_EQ (recorder.draws.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
    {
        EXPECT_EQ (recorder.draws[i].parameterID, expected[i].parameterID);
        EXPECT_FLOAT_EQ (recorder.draws[i].value, expected[i].value) << expected[i].parameterID;
    }
    EXPECT_EQ (recorder.gestures, 0);
    EXPECT_EQ (valueOf (processor, "filterRes"), filterRes);
    EXPECT_EQ (valueOf (processor, "toneMix"), toneMix);

    // The value fields follow, as they would for the host.
    EXPECT_TRUE (processor.pluginParameters.driveMixOn.load());
    EXPECT_NEAR (processor.pluginParameters.satMixValue.load(), 0.493f, 0.001f);
}

TEST_F (Randomiser, EachGroupSetsItsRandomisableParametersOnceAndTheSequenceContinues)
{
    struct Case
    {
        int group;
        size_t parametersSet;
        juce::StringArray untouched;
    };
    const Case cases[] = {
        { 0, 8, { "filterRes", "toneMix" } },
        { 1, 19, {} },
        { 2, 8, { "echoMix" } },
        { 3, 13, {} },
        { 0, 8, { "filterRes", "toneMix" } },
    };

    WarbloomAudioProcessor processor;
    std::vector<float> previous;
    for (const auto& c : cases)
    {
        const auto expected = upcoming ((int) c.parametersSet);
        ParameterRecorder recorder (processor);
        randomizeSubPreset (processor, c.group);

        ASSERT_EQ (recorder.draws.size(), c.parametersSet) << "group " << c.group;
        juce::StringArray seen;
        for (size_t i = 0; i < expected.size(); ++i)
        {
            EXPECT_EQ (recorder.draws[i].value, expected[i]);
            EXPECT_FALSE (seen.contains (recorder.draws[i].parameterID));
            EXPECT_FALSE (c.untouched.contains (recorder.draws[i].parameterID));
            seen.add (recorder.draws[i].parameterID);
        }
        EXPECT_NE (expected, previous);
        previous = expected;
    }
}

TEST_F (Randomiser, SkippedEntriesDrawNothing)
{
    // The tone group's bandSplitter and satMix exist here; filterRes is never randomised, "BassFreq"
    // differs from "bassFreq" in case, and the other entries name nothing.
    PartialToneProcessor processor;
    const auto expected = upcoming (2);
    ParameterRecorder recorder (processor);
    randomizeSubPreset (processor, 0);

    ASSERT_EQ (recorder.draws.size(), 2u);
    EXPECT_EQ (recorder.draws[0].parameterID, "bandSplitter");
    EXPECT_EQ (recorder.draws[0].value, expected[0]);
    EXPECT_EQ (recorder.draws[1].parameterID, "satMix");
    EXPECT_EQ (recorder.draws[1].value, expected[1]);
}

TEST_F (Randomiser, OnlyRandomisedKindsDrawAndTheEndEntryStopsTheWalk)
{
    WarbloomAudioProcessor processor;
    SubPresetST group;
    group.entries[0] = { SubPresetKind::placeholder, "bandSplitter" };
    group.entries[1] = { SubPresetKind::hiddenBit, "inputDrive" };
    group.entries[2] = { SubPresetKind::notRandomised, "bassFreq" };
    group.entries[3] = { SubPresetKind::randomised, "bassLevel" };
    group.entries[4] = { SubPresetKind::endOfList, "filterCut" };
    group.entries[5] = { SubPresetKind::randomised, "satMix" };

    const auto expected = upcoming (1);
    ParameterRecorder recorder (processor);
    randomizeGroup (group, processor.getParameters());
    ASSERT_EQ (recorder.draws.size(), 1u);
    EXPECT_EQ (recorder.draws[0].parameterID, "bassLevel");
    EXPECT_EQ (recorder.draws[0].value, expected[0]);

    group.entries[0].kind = SubPresetKind::endOfList;
    randomizeGroup (group, processor.getParameters());
    EXPECT_EQ (recorder.draws.size(), 1u);
}

TEST_F (Randomiser, GroupsWithoutParametersAndIndicesOutsideTheTableChangeNothing)
{
    WarbloomAudioProcessor processor;
    const auto before = upcoming (1);
    ParameterRecorder recorder (processor);
    for (int index : { 4, 19, -1, 20, 1000 })
        randomizeSubPreset (processor, index);

    EXPECT_TRUE (recorder.draws.empty());
    EXPECT_EQ (upcoming (1), before);
}

TEST_F (Randomiser, GeneratorWrapRules)
{
    struct Case
    {
        std::uint32_t seedX, xorU;
        std::uint32_t seedXAfter, xorUAfter;
        float result;
    };
    const Case cases[] = {
        // XorU equal to SeedX would become 0: it restarts from its load value.
        { 0x12345678u, 0x12345678u, 0x12345678u + 0xD74A3516u, 0xD74A3516u, (float) ((double) (0x12345678u + 0xD74A3516u) / 4294967296.0) },
        // SeedX + XorU wrapping to exactly 0: SeedX restarts from its load value.
        { 1u, 0xFFFFFFFEu, 0xE9B820CFu, 0xFFFFFFFFu, (float) ((double) 0xE9B820CFu / 4294967296.0) },
        // The top 128 words round to exactly 1.0; the one below them does not.
        { 0u, 0xFFFFFF80u, 0xFFFFFF80u, 0xFFFFFF80u, 1.0f },
        { 0u, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 1.0f },
        { 0u, 0xFFFFFF7Fu, 0xFFFFFF7Fu, 0xFFFFFF7Fu, 0.99999994f },
        // The smallest result.
        { 0u, 1u, 1u, 1u, std::ldexp (1.0f, -32) },
    };

    for (const auto& c : cases)
    {
        SeedX = c.seedX;
        XorU = c.xorU;
        EXPECT_EQ (nextRandom(), c.result) << std::hex << c.seedX << " " << c.xorU;
        EXPECT_EQ (SeedX, c.seedXAfter);
        EXPECT_EQ (XorU, c.xorUAfter);
    }
}

TEST_F (Randomiser, InstancesShareOneSequence)
{
    WarbloomAudioProcessor first;
    WarbloomAudioProcessor second;
    const auto expected = upcoming (16);

    ParameterRecorder firstRecorder (first);
    ParameterRecorder secondRecorder (second);
    randomizeSubPreset (first, 0);
    randomizeSubPreset (second, 0);

    ASSERT_EQ (firstRecorder.draws.size(), 8u);
    ASSERT_EQ (secondRecorder.draws.size(), 8u);
    for (size_t i = 0; i < 8; ++i)
    {
        EXPECT_EQ (firstRecorder.draws[i].value, expected[i]);
        EXPECT_EQ (secondRecorder.draws[i].value, expected[i + 8]);
    }
}
} // namespace
