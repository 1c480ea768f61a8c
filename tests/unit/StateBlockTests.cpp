#include "processor/ParameterRestore.h"
#include "processor/StateBlockSize.h"
#include "support/PresetTestProcessor.h"
#include "support/RawStateBlock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace
{
using Attributes = std::vector<std::pair<juce::String, juce::String>>;

juce::MemoryBlock blockOf (const juce::XmlElement& root)
{
    juce::MemoryBlock block;
    juce::AudioProcessor::copyXmlToBinary (root, block);
    return block;
}

juce::MemoryBlock blockWithChildren (std::vector<Attributes> children, const char* rootTag = "WBM_StateInfo", const char* childTag = "WBM_Preset")
{
    juce::XmlElement root (rootTag);

    for (const auto& attributes : children)
    {
        auto* child = root.createNewChildElement (childTag);

        for (const auto& [name, value] : attributes)
            child->setAttribute (name, value);
    }

    return blockOf (root);
}

// "PresetPathName:", the 20 "SubPreset:" slots, optionally the 20 "TxEnt:" slots, width, height.
Attributes currentLayout (const juce::String& path, bool withTextEntries)
{
    Attributes attributes { { "PresetPathName:", path } };

    for (int i = 1; i <= 20; ++i)
        attributes.push_back ({ "SubPreset:" + juce::String (i), "sub" + juce::String (i) });

    for (int i = 1; withTextEntries && i <= 20; ++i)
        attributes.push_back ({ "TxEnt:" + juce::String (i), "text" + juce::String (i) });

    attributes.push_back ({ "GUI_W:", "900" });
    attributes.push_back ({ "GUI_H:", "463" });
    return attributes;
}

Attributes operator+ (Attributes a, const Attributes& b)
{
    a.insert (a.end(), b.begin(), b.end());
    return a;
}

float valueOf (juce::AudioProcessor& processor, const char* id)
{
    return findParameter (processor, id)->getValue();
}

std::unique_ptr<juce::XmlElement> unwrap (const juce::MemoryBlock& block)
{
    return juce::AudioProcessor::getXmlFromBinary (block.getData(), (int) block.getSize());
}

TEST (StateBlock, FreshInstanceWritesTheFullLayout)
{
    PresetTestProcessor p;
    p.presets().editorWidth = 748;
    p.presets().editorHeight = 385;

    const auto block = p.stateBlock();
    ASSERT_GE (block.getSize(), 9u);
    EXPECT_EQ (juce::ByteOrder::littleEndianInt (block.getData()), 0x21324356u);
    EXPECT_EQ (juce::ByteOrder::littleEndianInt (block.begin() + 4), block.getSize() - 9);
    EXPECT_EQ (block[block.getSize() - 1], 0);

    const juce::String text (block.begin() + 8, block.getSize() - 9);
    EXPECT_TRUE (text.startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    EXPECT_FALSE (text.containsAnyOf ("\r\n"));

    const auto root = unwrap (block);
    ASSERT_NE (root, nullptr);
    EXPECT_EQ (root->getTagName(), "WBM_StateInfo");
    EXPECT_EQ (root->getNumAttributes(), 0);
    ASSERT_EQ (root->getNumChildElements(), 1);

    const auto* preset = root->getFirstChildElement();
    EXPECT_EQ (preset->getTagName(), "WBM_Preset");
    EXPECT_EQ (preset->getNumChildElements(), 0);
    ASSERT_EQ (preset->getNumAttributes(), 43 + 76);

    juce::StringArray expectedNames { "PresetPathName:" };

    for (const auto* key : { "SubPreset:", "TxEnt:" })
        for (int i = 1; i <= 20; ++i)
            expectedNames.add (key + juce::String (i));

    expectedNames.addArray ({ "GUI_W:", "GUI_H:" });

    for (auto* parameter : p.processor.getParameters())
        expectedNames.add (dynamic_cast<juce::AudioProcessorParameterWithID*> (parameter)->paramID);

    for (int k = 0; k < preset->getNumAttributes(); ++k)
    {
        EXPECT_EQ (preset->getAttributeName (k), expectedNames[k]) << k;

        if (k < 41)
        {
            EXPECT_EQ (preset->getAttributeValue (k), "") << k;
        }
    }

    EXPECT_EQ (preset->getStringAttribute ("GUI_W:"), "748.0");
    EXPECT_EQ (preset->getStringAttribute ("GUI_H:"), "385.0");
    EXPECT_EQ (p.presets().savedEditorWidth.load(), 748);
    EXPECT_EQ (p.presets().savedEditorHeight.load(), 385);

    for (auto* parameter : p.processor.getParameters())
    {
        const auto& id = dynamic_cast<juce::AudioProcessorParameterWithID*> (parameter)->paramID;
        EXPECT_EQ ((float) preset->getDoubleAttribute (id), parameter->getValue()) << id;
        EXPECT_FLOAT_EQ (parameter->getValue(), parameter->getDefaultValue()) << id;
    }
}

TEST (StateBlock, RoundTripRestoresEverything)
{
    PresetTestProcessor source;
    auto& presets = source.presets();
    juce::Random random (42);

    for (auto* parameter : source.processor.getParameters())
        parameter->setValueNotifyingHost (random.nextFloat());

    presets.presetPath = "/presets/Night Drive.wbm";
    presets.textEntries[19] = "a <note> & \"quote\"";

    for (size_t i = 0; i < presets.subPresetPaths.size(); ++i)
        presets.subPresetPaths[i] = "/sub/" + juce::String ((int) i) + ".Tsp";

    presets.editorWidth = 1122;
    presets.editorHeight = 577;
    const auto block = source.stateBlock();

    PresetTestProcessor target;
    target.processor.setStateInformation (block.getData(), (int) block.getSize());

    for (int i = 0; i < source.processor.getParameters().size(); ++i)
        EXPECT_EQ (target.processor.getParameters()[i]->getValue(), source.processor.getParameters()[i]->getValue()) << i;

    auto& restored = target.presets();
    EXPECT_EQ (restored.presetPath, presets.presetPath);
    EXPECT_EQ (restored.presetName, "Night Drive");
    EXPECT_EQ (restored.subPresetPaths, presets.subPresetPaths);
    EXPECT_EQ (restored.textEntries, presets.textEntries);
    EXPECT_EQ (restored.savedEditorWidth.load(), 1122);
    EXPECT_EQ (restored.editorHeight.load(), 577);
    EXPECT_EQ (target.stateBlock(), block);

    // The listeners ran, so the signal path's value fields follow the restored parameters.
    EXPECT_FLOAT_EQ (target.processor.pluginParameters.echoMixValue.load(), source.processor.pluginParameters.echoMixValue.load());
    EXPECT_NE (target.processor.pluginParameters.echoMixValue.load(), 0.3f);
}

TEST (StateBlock, ReaderEdgeCases)
{
    struct Case
    {
        const char* what;
        juce::MemoryBlock block;
        std::function<void (PresetTestProcessor&)> check; // null: nothing may change
    };

    auto valid = blockWithChildren ({ currentLayout ("/p/Valid.wbm", true) + Attributes { { "echoMix", "0.25" } } });
    auto wrongMagic = valid;
    wrongMagic[0] = 'X';
    auto longerThanData = valid;
    reinterpret_cast<juce::uint32*> (longerThanData.getData())[1] = juce::ByteOrder::swapIfBigEndian ((juce::uint32) 0x7fffffff);
    auto zeroLength = valid;
    reinterpret_cast<juce::uint32*> (zeroLength.getData())[1] = 0;
    auto negativeLength = valid;
    reinterpret_cast<juce::uint32*> (negativeLength.getData())[1] = juce::ByteOrder::swapIfBigEndian ((juce::uint32) 0xfffffff0);
    auto withOddBytes = [] (const std::string& bytes)
    { return rawBlock (" <WBM_StateInfo><WBM_Preset PresetPathName:=\"\" GUI_W:=\"1\" GUI_H:=\"1\" echoMix=\"0.25\" x=\"" + bytes + "\"/></WBM_StateInfo>"); };
    auto notXml = valid;
    notXml.copyFrom ("no xml here", 8, 11);

    const Case cases[] = {
        { "skip 20 without text entries: parameters from position 23",
          blockWithChildren ({ currentLayout ("/p/Twenty.wbm", false) + Attributes { { "echoMix", "0.25" } } }),
          [] (PresetTestProcessor& p)
          {
              EXPECT_FLOAT_EQ (valueOf (p.processor, "echoMix"), 0.25f);
              EXPECT_EQ (p.presets().presetName, "Twenty");
              EXPECT_EQ (p.presets().subPresetPaths[19], "sub20");
              EXPECT_EQ (p.presets().textEntries[0], "kept");
          } },
        { "skip 40: positions below 43 are not parameters",
          blockWithChildren ({ Attributes { { "PresetPathName:", "/p/Forty.wbm" }, { "TxEnt:1", "t" }, { "GUI_W:", "10" }, { "GUI_H:", "20" }, { "echoMix", "0.25" } } }),
          [] (PresetTestProcessor& p)
          {
              EXPECT_FLOAT_EQ (valueOf (p.processor, "echoMix"), 1.0f);
              EXPECT_EQ (p.presets().textEntries[0], "t");
              EXPECT_EQ (p.presets().textEntries[1], "");
              EXPECT_EQ (p.presets().subPresetPaths[0], "");
              EXPECT_EQ (p.presets().savedEditorWidth.load(), 10);
          } },
        { "older layout: name from the first attribute's name, parameters from position 3",
          blockWithChildren ({ Attributes { { "My_Old_Preset", "x" }, { "echoMix", "0.5" }, { "GUI_H:", "400" }, { "dryWetMix", "0.25" } } }),
          [] (PresetTestProcessor& p)
          {
              EXPECT_EQ (p.presets().presetName, "My Old Preset");
              EXPECT_EQ (p.presets().presetPath, "/old/Path.wbm");
              EXPECT_EQ (p.presets().subPresetPaths[0], "old sub");
              EXPECT_FLOAT_EQ (valueOf (p.processor, "echoMix"), 1.0f);
              EXPECT_FLOAT_EQ (valueOf (p.processor, "dryWetMix"), 0.25f);
              EXPECT_EQ (p.presets().savedEditorWidth.load(), 0);
              EXPECT_EQ (p.presets().savedEditorHeight.load(), 400);
          } },
        { "older layout without attributes empties the name",
          blockWithChildren ({ Attributes {} }),
          [] (PresetTestProcessor& p)
          { EXPECT_EQ (p.presets().presetName, ""); } },
        { "other tags, two children: applied in order, the second winning",
          blockWithChildren ({ currentLayout ("/p/First.wbm", true) + Attributes { { "echoMix", "0.25" }, { "modTotal", "0.5" } },
                               currentLayout ("/p/Second.wbm", true) + Attributes { { "echoMix", "0.75" } } },
                             "Other",
                             "Child"),
          [] (PresetTestProcessor& p)
          {
              EXPECT_FLOAT_EQ (valueOf (p.processor, "echoMix"), 0.75f);
              EXPECT_FLOAT_EQ (valueOf (p.processor, "modTotal"), 0.5f);
              EXPECT_EQ (p.presets().presetPath, "/p/Second.wbm");
          } },
        { "stored length larger than the data reads the bytes present",
          longerThanData,
          [] (PresetTestProcessor& p)
          { EXPECT_FLOAT_EQ (valueOf (p.processor, "echoMix"), 0.25f); } },
        { "values: unknown names passed over, non-numbers read as 0, non-finite kept, clamped",
          blockWithChildren ({ currentLayout ({}, true) + Attributes { { "noSuchParameter", "0.5" }, { "echoMix", "abc" }, { "modTotal", "inf" }, { "dryWetMix", "nan" }, { "outputGain", "7.5" }, { "echoFeedback", "-3" }, { "echoDamp", "1e400" }, { "satCrunch", "1e99999999999" }, { "filterRes", "1e-99999999999" }, { "satMix", "2.5e-0000000000001" }, { "bassLevel", "0.75e00+000000000000000018446744073709551615" }, { "toneMix", "0.5e0000" } } }),
          [] (PresetTestProcessor& p)
          {
              EXPECT_FLOAT_EQ (valueOf (p.processor, "echoMix"), 0.0f);
              EXPECT_FLOAT_EQ (valueOf (p.processor, "modTotal"), 0.5f);
              EXPECT_FLOAT_EQ (valueOf (p.processor, "dryWetMix"), 0.5f);
              EXPECT_FLOAT_EQ (valueOf (p.processor, "outputGain"), 1.0f);
              EXPECT_FLOAT_EQ (valueOf (p.processor, "echoFeedback"), 0.0f);
              EXPECT_FLOAT_EQ (valueOf (p.processor, "echoDamp"), 0.5f);
              EXPECT_FLOAT_EQ (valueOf (p.processor, "satCrunch"), 0.5f);
              EXPECT_FLOAT_EQ (valueOf (p.processor, "filterRes"), 0.0f);
              EXPECT_NEAR (valueOf (p.processor, "satMix"), 0.25f, 0.001f);
              EXPECT_FLOAT_EQ (valueOf (p.processor, "bassLevel"), 0.75f) << "the exponent ends at the '+'";
              EXPECT_FLOAT_EQ (valueOf (p.processor, "toneMix"), 0.5f);
              EXPECT_EQ (p.presets().presetName, "");
          } },
        { "sizes out of the int range are clamped",
          blockWithChildren ({ Attributes { { "PresetPathName:", "" }, { "GUI_W:", "1e300" }, { "GUI_H:", "-1e300" } } }),
          [] (PresetTestProcessor& p)
          {
              EXPECT_EQ (p.presets().editorWidth.load(), std::numeric_limits<int>::max());
              EXPECT_EQ (p.presets().editorHeight.load(), std::numeric_limits<int>::min());
          } },
        { "8 bytes", juce::MemoryBlock (valid.getData(), 8), nullptr },
        { "wrong magic", wrongMagic, nullptr },
        { "zero stored length", zeroLength, nullptr },
        { "negative stored length", negativeLength, nullptr },
        { "text that is not XML", notXml, nullptr },
        // A cut-off sequence makes JUCE's decoder read past the end; an overlong one makes its
        // string copy overrun the buffer it sized.
        { "multi-byte sequence cut short", withOddBytes ("\xe2\x82"), nullptr },
        { "overlong zero", withOddBytes (std::string ("\xc0\x80", 2)), nullptr },
        { "overlong three-byte form of ASCII", withOddBytes ("\xe0\x81\xbf"), nullptr },
        { "encoded surrogate", withOddBytes ("\xed\xa0\x80"), nullptr },
        { "beyond U+10FFFF", withOddBytes ("\xf4\x90\x80\x80"), nullptr },
        { "lone continuation byte", withOddBytes ("\x80"), nullptr },
        // JUCE's entity reader steps past the end of the text on these.
        { "cut-off character reference", withOddBytes ("&#x"), nullptr },
        { "character reference without digits", withOddBytes ("&#x;"), nullptr },
        { "stray ampersands", withOddBytes ("&&&"), nullptr },
        { "named entity the writer never writes", withOddBytes ("&nbsp;"), nullptr },
        { "reference to character 0", withOddBytes ("&#0;"), nullptr },
        { "reference past U+10FFFF", withOddBytes ("&#x110000;"), nullptr },
        { "a name with characters the writer escapes is read back",
          blockWithChildren ({ currentLayout ("/p/Tom & Jerry's \"<best>\"\tone\r\n.wbm", true) + Attributes { { "echoMix", "0.25" } } }),
          [] (PresetTestProcessor& p)
          {
              EXPECT_FLOAT_EQ (valueOf (p.processor, "echoMix"), 0.25f);
              EXPECT_EQ (p.presets().presetName, "Tom & Jerry's \"<best>\"\tone\r\n");
          } },
        { "a name with two-, three- and four-byte characters is read",
          blockWithChildren ({ currentLayout (juce::CharPointer_UTF8 ("/p/Caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xb5.wbm"), true) + Attributes { { "echoMix", "0.25" } } }),
          [] (PresetTestProcessor& p)
          {
              EXPECT_FLOAT_EQ (valueOf (p.processor, "echoMix"), 0.25f);
              EXPECT_EQ (p.presets().presetName, juce::String (juce::CharPointer_UTF8 ("Caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xb5")));
          } },
        { "a zero byte ends the text, whatever follows it",
          [&]
          {
              auto block = valid;
              block.append ("\xc0\x80<junk", 7);
              reinterpret_cast<juce::uint32*> (block.getData())[1] = juce::ByteOrder::swapIfBigEndian ((juce::uint32) (block.getSize() - 8));
              return block;
          }(),
          [] (PresetTestProcessor& p)
          { EXPECT_FLOAT_EQ (valueOf (p.processor, "echoMix"), 0.25f); } },
        { "root without children", blockWithChildren ({}), nullptr },
        { "processing instruction inside the content",
          rawBlock ("<WBM_StateInfo><WBM_Preset PresetPathName:=\"\" GUI_W:=\"1\" GUI_H:=\"1\" echoMix=\"0.25\"/><?pi?>text</WBM_StateInfo>"),
          nullptr },
        { "root with only text", blockOf (*juce::parseXML ("<WBM_StateInfo>loose text</WBM_StateInfo>")), nullptr },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        PresetTestProcessor p;
        auto& presets = p.presets();
        presets.presetPath = "/old/Path.wbm";
        presets.presetName = "Path";
        presets.subPresetPaths[0] = "old sub";
        presets.textEntries[0] = "kept";
        presets.savedEditorWidth = 5;
        findParameter (p.processor, "echoMix")->setValueNotifyingHost (1.0f);
        findParameter (p.processor, "modTotal")->setValueNotifyingHost (0.5f);
        findParameter (p.processor, "dryWetMix")->setValueNotifyingHost (0.5f);
        findParameter (p.processor, "echoDamp")->setValueNotifyingHost (0.5f);
        findParameter (p.processor, "satCrunch")->setValueNotifyingHost (0.5f);
        findParameter (p.processor, "filterRes")->setValueNotifyingHost (0.5f);
        const auto before = p.stateBlock();

        p.processor.setStateInformation (c.block.getData(), (int) c.block.getSize());

        if (c.check != nullptr)
        {
            c.check (p);
            continue;
        }

        EXPECT_EQ (presets.presetName, "Path");
        EXPECT_EQ (p.stateBlock(), before);
    }
}

std::string repeated (const std::string& text, int times)
{
    std::string result;
    result.reserve (text.size() * (size_t) times);

    for (int i = 0; i < times; ++i)
        result += text;

    return result;
}

// Text that would overflow the stack in JUCE's recursive parser, or keep it busy for seconds to
// minutes, read on a host thread with a small stack. Nesting is also hidden the ways a reader
// that does not follow JUCE's parser would miss: closing tags inside quotes, comments and CDATA,
// and a quote that JUCE reads as text after an attribute without one. The time bound is a
// generous sanity limit, not a measurement.
TEST (StateBlock, HostileBlocksChangeNothingQuickly)
{
    std::string manyAttributes, manyElements;

    for (int i = 120000; --i >= 0;)
    {
        manyAttributes += " u" + std::to_string (i) + "=\"1\"";
        manyElements += "<e" + std::to_string (i) + "/>";
    }

    const std::pair<const char*, std::string> cases[] = {
        { "30,000 levels", repeated ("<a>", 30000) },
        { "300,000 levels", repeated ("<a>", 300000) },
        { "closing tags in attribute values", repeated ("<a x=\"</a>\" y='/>'>", 30000) },
        { "closing tags in comments and CDATA", repeated ("<a><!--</a>--><![CDATA[</a>]]>", 30000) },
        { "self-closing marks in text", repeated ("<a>/>", 30000) },
        { "a quote after an attribute without a value", "<b x= y\"" + repeated ("<a>", 30000) + "\"/>" },
        { "120,000 attributes", "<c" + manyAttributes + "/>" },
        { "120,000 elements", manyElements },
        { "110,000 entities in one value", "<c x=\"" + repeated ("&#x10000;", 110000) + "\"/>" },
    };

    PresetTestProcessor p;
    const auto before = p.stateBlock();

    for (const auto& [what, hostile] : cases)
    {
        SCOPED_TRACE (what);
        const auto block = rawBlock ("<?xml version=\"1.0\"?> <WBM_StateInfo><WBM_Preset Name=\"\" GUI_W:=\"1\" GUI_H:=\"1\" echoMix=\"0.25\"/>" + hostile + "</WBM_StateInfo>");

        struct HostThread final : juce::Thread
        {
            HostThread (juce::AudioProcessor& p, const juce::MemoryBlock& b)
                : juce::Thread ("host", 256 * 1024), processor (p), block (b) {}
            void run() override { processor.setStateInformation (block.getData(), (int) block.getSize()); }
            juce::AudioProcessor& processor;
            const juce::MemoryBlock& block;
        } host (p.processor, block);

        const auto start = juce::Time::getMillisecondCounterHiRes();
        ASSERT_TRUE (host.startThread());
        ASSERT_TRUE (host.waitForThreadToExit (60000));
        EXPECT_LT (juce::Time::getMillisecondCounterHiRes() - start, 5000.0);
        EXPECT_EQ (p.stateBlock(), before);
    }
}

// Within the limits the attributes are read in one pass, with the same result as asking JUCE for
// each by position and then by name: repeated names read their first value. A long value is read
// as a number in linear time too.
TEST (StateBlock, ModestlyNestedAndLargeBlocksAreRead)
{
    std::string preset = "<WBM_Preset";

    for (const auto& [name, value] : currentLayout ("/p/Large.wbm", true))
        preset += " " + name.toStdString() + "=\"" + value.toStdString() + "\"";

    preset += " echoMix=\"0.25\"";

    for (int i = 0; i < 900; ++i)
        preset += " u" + std::to_string (i) + "=\"" + repeated ("&#x263a;", 16) + "\"";

    preset += " satMix=\"0.375" + repeated ("e", 1000000) + "\"";
    const auto block = rawBlock ("<WBM_StateInfo>" + repeated ("<a>", 15) + repeated ("</a>", 15) + preset + " modTotal=\"0.75\" echoMix=\"0.5\"/></WBM_StateInfo>");

    PresetTestProcessor p;
    const auto start = juce::Time::getMillisecondCounterHiRes();
    p.processor.setStateInformation (block.getData(), (int) block.getSize());
    EXPECT_LT (juce::Time::getMillisecondCounterHiRes() - start, 5000.0);
    EXPECT_FLOAT_EQ (valueOf (p.processor, "satMix"), 0.375f);
    EXPECT_FLOAT_EQ (valueOf (p.processor, "modTotal"), 0.75f);
    EXPECT_FLOAT_EQ (valueOf (p.processor, "echoMix"), 0.25f);
    EXPECT_EQ (p.presets().presetName, "Large");
    EXPECT_EQ (p.presets().textEntries[19], "text20");
}

// Per-character work done once per underscore or once per repeated name took half a minute on
// these. The time bound is a generous sanity limit, not a measurement.
TEST (StateBlock, LongNamesAndRepeatedValuesAreReadInLinearTime)
{
    const struct
    {
        const char* what;
        std::string preset;
        std::function<void (PresetTestProcessor&)> check;
    } cases[] = {
        { "a 427 KB older-layout name of underscores",
          "<WBM_Preset " + repeated ("a_", 213500) + "a=\"1\"/>",
          [] (PresetTestProcessor& p)
          { EXPECT_EQ (p.presets().presetName.toStdString(), repeated ("a ", 213500) + "a"); } },
        { "a parameter named 1000 times after a 3.9 MB value",
          "<WBM_Preset x=\"\" GUI_W:=\"1\" GUI_H:=\"1\" echoMix=\"0.25" + std::string (3900000, 'e') + "\"" + repeated (" echoMix=\"1\"", 1000) + "/>",
          [] (PresetTestProcessor& p)
          { EXPECT_FLOAT_EQ (valueOf (p.processor, "echoMix"), 0.25f); } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        const auto block = rawBlock ("<WBM_StateInfo>" + c.preset + "</WBM_StateInfo>");
        PresetTestProcessor p;
        const auto start = juce::Time::getMillisecondCounterHiRes();
        p.processor.setStateInformation (block.getData(), (int) block.getSize());
        EXPECT_LT (juce::Time::getMillisecondCounterHiRes() - start, 5000.0);
        c.check (p);
    }
}

// The current layout with twenty text entries that fill a block of the given size exactly.
juce::MemoryBlock textEntriesBlock (size_t blockSize)
{
    std::string head = "<WBM_StateInfo><WBM_Preset PresetPathName:=\"/p/Big.wbm\"";

    for (int i = 1; i <= 20; ++i)
        head += " SubPreset:" + std::to_string (i) + "=\"\"";

    const std::string tail = " GUI_W:=\"748\" GUI_H:=\"385\" echoMix=\"0.25\"/></WBM_StateInfo>";
    auto entries = [] (size_t length, size_t last)
    {
        std::string text;

        for (size_t i = 1; i <= 20; ++i)
            text += " TxEnt:" + std::to_string (i) + "=\"" + std::string (i < 20 ? length : last, 't') + "\"";

        return text;
    };

    const auto padding = blockSize - 9 - head.size() - tail.size() - entries (0, 0).size();
    return rawBlock (head + entries (padding / 20, padding - 19 * (padding / 20)) + tail);
}

// Text entries are carried from block to block, so a block of hundreds of megabytes would cost
// seconds and gigabytes again on every save. Above the bound a block changes nothing; at the
// bound it is read.
TEST (StateBlock, BlocksAboveTheSizeBoundChangeNothing)
{
    for (const auto size : { maxStateBlockBytes, maxStateBlockBytes + 1 })
    {
        SCOPED_TRACE (size);
        const auto block = textEntriesBlock (size);
        ASSERT_EQ (block.getSize(), size);

        PresetTestProcessor p;
        const auto before = p.stateBlock();
        const auto start = juce::Time::getMillisecondCounterHiRes();
        p.processor.setStateInformation (block.getData(), (int) block.getSize());
        EXPECT_LT (juce::Time::getMillisecondCounterHiRes() - start, 5000.0);

        if (size > maxStateBlockBytes)
        {
            EXPECT_EQ (p.stateBlock(), before);
            EXPECT_EQ (p.presets().presetName, "Untitled");
            continue;
        }

        EXPECT_EQ (p.presets().presetName, "Big");
        EXPECT_FLOAT_EQ (valueOf (p.processor, "echoMix"), 0.25f);
        EXPECT_GT (p.presets().textEntries[19].length(), 200000);
    }
}

// Every truncation and every single flipped byte of a valid block: no crash, and what is left
// is a state that writes and reads back as itself.
TEST (StateBlock, DamagedBlocksLeaveAConsistentState)
{
    PresetTestProcessor source;
    juce::Random random (7);

    for (auto* parameter : source.processor.getParameters())
        parameter->setValueNotifyingHost (random.nextFloat());

    source.presets().presetPath = "/p/Damaged.wbm";
    const auto valid = source.stateBlock();

    PresetTestProcessor damaged, copy;
    auto checkConsistent = [&] (const juce::MemoryBlock& bytes, size_t where)
    {
        damaged.processor.setStateInformation (bytes.getData(), (int) bytes.getSize());

        for (auto* parameter : damaged.processor.getParameters())
            ASSERT_TRUE (parameter->getValue() >= 0.0f && parameter->getValue() <= 1.0f) << where;

        const auto written = damaged.stateBlock();
        copy.processor.setStateInformation (written.getData(), (int) written.getSize());
        ASSERT_EQ (copy.stateBlock(), written) << where;
    };

    for (size_t length = 0; length < valid.getSize(); ++length)
        checkConsistent (juce::MemoryBlock (valid.getData(), length), length);

    for (size_t i = 0; i < valid.getSize(); ++i)
    {
        auto flipped = valid;
        flipped[i] = (char) (flipped[i] ^ 0x5a);
        checkConsistent (flipped, i);
    }
}

// A host restoring on its own thread while the editor reads the name and steps the path: every
// value read is one that was written whole, and the state written afterwards reads back.
TEST (StateBlock, RestoreOnAHostThreadWhileTheEditorReadsTheTexts)
{
    PresetTestProcessor p;
    auto& presets = p.presets();
    const juce::MemoryBlock blocks[] = {
        blockWithChildren ({ currentLayout ("/p/A long name that needs its own allocation.wbm", true) }),
        blockWithChildren ({ currentLayout ("/p/Another long name with an allocation.wbm", true) }),
    };
    const juce::StringArray names { "Untitled", "A long name that needs its own allocation", "Another long name with an allocation" };

    std::atomic<bool> done { false };
    std::thread host ([&]
                      {
                          for (int i = 0; i < 2000; ++i)
                              p.processor.setStateInformation (blocks[i % 2].getData(), (int) blocks[i % 2].getSize());

                          done = true; });

    auto reads = 0;

    while (! done || reads == 0)
    {
        const auto name = presets.copyOf (presets.presetName);
        ASSERT_TRUE (names.contains (name)) << name;
        presets.store (presets.presetPath, "/p/Stepped " + juce::String (reads++) + " with a long name.wbm");
        juce::MemoryBlock block;
        p.processor.getStateInformation (block);
        ASSERT_NE (unwrap (block), nullptr);
    }

    host.join();
    const auto last = p.stateBlock();
    p.processor.setStateInformation (last.getData(), (int) last.getSize());
    EXPECT_EQ (p.stateBlock(), last);
}

TEST (StateBlock, ResizesAnOpenEditorOnceFromAnyThread)
{
    PresetTestProcessor p;
    auto& presets = p.presets();
    std::unique_ptr<juce::AudioProcessorEditor> editor (p.processor.createEditorIfNeeded());
    ASSERT_NE (editor, nullptr);
    editor->setTopLeftPosition (30, 40);

    auto sized = [] (int w, int h)
    { return blockWithChildren ({ Attributes { { "PresetPathName:", "" }, { "GUI_W:", juce::String (w) }, { "GUI_H:", juce::String (h) } } }); };

    presets.resizeEditorOnLoad = -1;
    const auto first = sized (1496, 770);
    p.processor.setStateInformation (first.getData(), (int) first.getSize());
    EXPECT_EQ (editor->getBounds(), juce::Rectangle<int> (30, 40, 1496, 770));
    EXPECT_EQ (presets.resizeEditorOnLoad.load(), 0);

    const auto second = sized (1122, 578);
    p.processor.setStateInformation (second.getData(), (int) second.getSize());
    EXPECT_EQ (editor->getWidth(), 1496) << "the flag was cleared by the first read";
    EXPECT_EQ (presets.savedEditorWidth.load(), 1122);

    presets.resizeEditorOnLoad = 1;
    std::thread host ([&]
                      { p.processor.setStateInformation (second.getData(), (int) second.getSize()); });
    host.join();
    EXPECT_EQ (editor->getWidth(), 1496) << "components change only on the message thread";

    juce::MessageManager::getInstance()->runDispatchLoopUntil (200);
    EXPECT_EQ (editor->getBounds(), juce::Rectangle<int> (30, 40, 1122, 578));

    // A resize still queued when the editor goes away is dropped.
    presets.resizeEditorOnLoad = 1;
    std::thread late ([&]
                      { p.processor.setStateInformation (first.getData(), (int) first.getSize()); });
    late.join();
    editor.reset();
    juce::MessageManager::getInstance()->runDispatchLoopUntil (50);
}
} // namespace
