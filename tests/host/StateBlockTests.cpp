#include "hosting/HostedPlugin.h"
#include "support/LoadBuiltWarbloom.h"
#include "support/RawStateBlock.h"

#include <gtest/gtest.h>

namespace
{
using warbloom::hosting::HostedPlugin;

juce::MemoryBlock hostState (HostedPlugin& plugin)
{
    juce::MemoryBlock state;
    plugin.processor().getStateInformation (state);
    return state;
}

void restore (HostedPlugin& plugin, const juce::MemoryBlock& state)
{
    plugin.processor().setStateInformation (state.getData(), (int) state.getSize());
}

// JUCE's VST3 host keeps the component's state as base64 text in "IComponent"; the plug-in's
// own block starts it, followed by the client's private data.
juce::MemoryBlock componentState (const juce::MemoryBlock& state)
{
    juce::MemoryBlock component;
    const auto xml = juce::AudioProcessor::getXmlFromBinary (state.getData(), (int) state.getSize());

    if (xml != nullptr)
        if (const auto* child = xml->getChildByName ("IComponent"))
            component.fromBase64Encoding (child->getAllSubText());

    return component;
}

std::unique_ptr<juce::XmlElement> pluginBlock (const juce::MemoryBlock& state)
{
    const auto component = componentState (state);
    return juce::AudioProcessor::getXmlFromBinary (component.getData(), (int) component.getSize());
}

// The host state with the component's bytes replaced, as a host would hand back any stored data.
juce::MemoryBlock withComponentState (const juce::MemoryBlock& state, const juce::MemoryBlock& component)
{
    auto xml = juce::AudioProcessor::getXmlFromBinary (state.getData(), (int) state.getSize());
    auto* child = xml->getChildByName ("IComponent");
    child->deleteAllTextElements();
    child->addTextElement (component.toBase64Encoding());

    juce::MemoryBlock result;
    juce::AudioProcessor::copyXmlToBinary (*xml, result);
    return result;
}

void randomiseParameters (HostedPlugin& plugin, int seed)
{
    juce::Random random (seed);

    for (auto* parameter : plugin.pluginParameters())
        parameter->setValueNotifyingHost (random.nextFloat());
}

TEST (HostState, SaveNewInstanceRestoreRoundTrip)
{
    auto first = loadWarbloom();
    ASSERT_NE (first, nullptr);
    randomiseParameters (*first, 11);

    // A preset path reaches the plug-in only through a state block, so give it one that names a path.
    auto block = pluginBlock (hostState (*first));
    ASSERT_NE (block, nullptr);
    block->getFirstChildElement()->setAttribute ("PresetPathName:", "/presets/Host Round.wbm");
    juce::MemoryBlock withPath;
    juce::AudioProcessor::copyXmlToBinary (*block, withPath);
    restore (*first, withComponentState (hostState (*first), withPath));

    const auto saved = hostState (*first);
    const auto savedBlock = pluginBlock (saved);
    ASSERT_NE (savedBlock, nullptr);
    const auto* preset = savedBlock->getFirstChildElement();
    EXPECT_EQ (preset->getStringAttribute ("PresetPathName:"), "/presets/Host Round.wbm");

    auto second = loadWarbloom();
    ASSERT_NE (second, nullptr);
    restore (*second, saved);

    const auto identifiers = warbloom::hosting::parameterIdentifiers();
    ASSERT_EQ (identifiers.size(), 76);

    for (const auto& id : identifiers)
    {
        auto* parameter = second->parameterWithIdentifier (id);
        ASSERT_NE (parameter, nullptr) << id;
        EXPECT_FLOAT_EQ (parameter->getValue(), (float) preset->getDoubleAttribute (id)) << id;
        EXPECT_FLOAT_EQ (parameter->getValue(), first->parameterWithIdentifier (id)->getValue()) << id;
    }

    const auto restored = pluginBlock (hostState (*second));
    ASSERT_NE (restored, nullptr);
    EXPECT_TRUE (restored->isEquivalentTo (savedBlock.get(), false));
}

TEST (HostState, HostileBlocksAreIgnored)
{
    auto plugin = loadWarbloom();
    ASSERT_NE (plugin, nullptr);
    randomiseParameters (*plugin, 5);

    const auto good = hostState (*plugin);
    const auto goodComponent = componentState (good);
    const auto before = pluginBlock (good);
    ASSERT_NE (before, nullptr);

    juce::Random random (99);
    juce::MemoryBlock noise (4096);

    for (size_t i = 0; i < noise.getSize(); ++i)
        noise[i] = (char) random.nextInt (256);

    auto wrongMagic = goodComponent;
    wrongMagic[0] = 'W';

    juce::MemoryBlock hugeLength;
    hugeLength.append ("VC2!", 4);
    const juce::uint32 huge = juce::ByteOrder::swapIfBigEndian ((juce::uint32) 0x7ffffff0);
    hugeLength.append (&huge, 4);
    hugeLength.append (noise.getData(), 512);

    // JUCE's recursive parser overflows the stack on this one.
    juce::MemoryBlock deeplyNested;
    {
        juce::MemoryOutputStream text (deeplyNested, false);
        text << "VC2!"
             << "    "
             << "<WBM_StateInfo>" << juce::String::repeatedString ("<a>", 30000);
        text.writeByte (0);
    }
    const auto nestedLength = juce::ByteOrder::swapIfBigEndian ((juce::uint32) (deeplyNested.getSize() - 9));
    deeplyNested.copyFrom (&nestedLength, 4, 4);

    // A text entry of 5 MB puts the block past the reader's size bound.
    auto oversize = pluginBlock (good);
    oversize->getFirstChildElement()->setAttribute ("TxEnt:1", juce::String::repeatedString ("t", 5 << 20));
    oversize->getFirstChildElement()->setAttribute ("echoMix", 0.125);
    juce::MemoryBlock oversizeBlock;
    juce::AudioProcessor::copyXmlToBinary (*oversize, oversizeBlock);

    const std::pair<const char*, juce::MemoryBlock> cases[] = {
        { "random host bytes", noise },
        { "truncated host state", juce::MemoryBlock (good.getData(), good.getSize() / 2) },
        { "random component bytes", withComponentState (good, noise) },
        { "truncated plug-in block", withComponentState (good, juce::MemoryBlock (goodComponent.getData(), goodComponent.getSize() / 2)) },
        { "wrong magic", withComponentState (good, wrongMagic) },
        { "huge stored length over noise", withComponentState (good, hugeLength) },
        { "empty component", withComponentState (good, {}) },
        { "30,000 nested elements", withComponentState (good, deeplyNested) },
        { "a text entry past the size bound", withComponentState (good, oversizeBlock) },
    };

    for (const auto& [what, state] : cases)
    {
        restore (*plugin, state);

        const auto after = pluginBlock (hostState (*plugin));
        ASSERT_NE (after, nullptr) << what;
        EXPECT_TRUE (after->isEquivalentTo (before.get(), false)) << what;
    }

    plugin->prepare (48000.0, 512, 2);
    juce::AudioBuffer<float> buffer (2, 512);
    buffer.clear();
    buffer.setSample (0, 0, 1.0f);
    plugin->process (buffer);

    for (int channel = 0; channel < 2; ++channel)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
            ASSERT_TRUE (std::isfinite (buffer.getSample (channel, i)));
}
// A foreign block whose text entry the writer escapes six times over: a session reopened from what
// the plug-in saved keeps its settings, and saves the same block again.
TEST (HostState, ForeignTextsSurviveTheSessionsWriteBack)
{
    auto first = loadWarbloom();
    ASSERT_NE (first, nullptr);

    auto block = pluginBlock (hostState (*first));
    ASSERT_NE (block, nullptr);
    block->getFirstChildElement()->setAttribute ("PresetPathName:", "/presets/Foreign.wbm");
    block->getFirstChildElement()->setAttribute ("filterRes", 0.25);
    juce::MemoryBlock bytes;
    juce::AudioProcessor::copyXmlToBinary (*block, bytes);

    // The entry in single quotes, so that its quotes reach the plug-in unescaped.
    const auto text = juce::String (static_cast<const char*> (bytes.getData()) + 8, bytes.getSize() - 9)
                          .replace ("TxEnt:1=\"\"", "TxEnt:1='" + juce::String::repeatedString ("\"", 26800) + "'");
    const auto foreign = rawBlock (text.toStdString());

    restore (*first, withComponentState (hostState (*first), foreign));
    auto* filterRes = first->parameterWithIdentifier ("filterRes");
    ASSERT_NE (filterRes, nullptr);
    ASSERT_FLOAT_EQ (filterRes->getValue(), 0.25f);

    const auto saved = hostState (*first);
    auto second = loadWarbloom();
    ASSERT_NE (second, nullptr);
    restore (*second, saved);

    EXPECT_FLOAT_EQ (second->parameterWithIdentifier ("filterRes")->getValue(), 0.25f);
    const auto reopened = pluginBlock (hostState (*second));
    ASSERT_NE (reopened, nullptr);
    EXPECT_EQ (reopened->getFirstChildElement()->getStringAttribute ("PresetPathName:"), "/presets/Foreign.wbm");
    EXPECT_EQ (componentState (hostState (*second)), componentState (saved));
}
} // namespace
