#include "GuardedNumber.h"
#include "GuardedXmlParse.h"
#include "ParameterRestore.h"
#include "ReplaceAll.h"
#include "StateBlockSize.h"
#include "WarbloomAudioProcessor.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace
{
// Plain character data: a host thread may still read or write a state block while the module's
// statics are torn down at exit.
constexpr char rootTag[] = "WBM_StateInfo";
constexpr char presetTag[] = "WBM_Preset";
constexpr char presetPathKey[] = "PresetPathName:";
constexpr char subPresetKey[] = "SubPreset:";
constexpr char textEntryKey[] = "TxEnt:";
constexpr char widthKey[] = "GUI_W:";
constexpr char heightKey[] = "GUI_H:";

// JUCE's binary XML wrapper: magic, stored text length, UTF-8 text, a zero byte.
constexpr juce::uint32 binaryXmlMagic = 0x21324356;

// JUCE's unwrapping rule, with the text guarded against JUCE's parser faults. A block larger than
// the bound is refused whole; a stored length beyond the bytes present reads only those, so what
// is read stays within the bound too.
std::unique_ptr<juce::XmlElement> parseStateBlock (const void* data, int sizeInBytes)
{
    if (sizeInBytes <= 8 || (size_t) sizeInBytes > maxStateBlockBytes || juce::ByteOrder::littleEndianInt (data) != binaryXmlMagic)
        return {};

    const auto storedLength = (int) juce::ByteOrder::littleEndianInt (juce::addBytesToPointer (data, 4));

    if (storedLength <= 0)
        return {};

    return parseGuardedXml (static_cast<const char*> (data) + 8, juce::jmin (storedLength, sizeInBytes - 8));
}

// The non-parameter attributes before the sub-preset paths and after the text entries.
constexpr int attributesAroundSlots = 3;

int readSize (const juce::XmlElement& element, juce::StringRef key)
{
    const auto value = readNumber (element.getStringAttribute (key));

    if (! std::isfinite (value))
        return 0;

    return (int) juce::jlimit ((double) std::numeric_limits<int>::min(), (double) std::numeric_limits<int>::max(), value);
}

// The preset path and name, sub-preset paths and text entries of one child. Returns how many
// attributes after the path are these slots rather than parameters.
int restoreTexts (PresetManager& presets, const juce::XmlElement& element)
{
    const juce::ScopedLock lock (presets.textLock);

    if (! element.hasAttribute (presetPathKey))
    {
        presets.presetName = element.getNumAttributes() > 0 ? replaceAll (element.getAttributeName (0), "_", " ") : juce::String();
        return 0;
    }

    presets.presetPath = element.getStringAttribute (presetPathKey);
    presets.presetName = juce::File::createFileWithoutCheckingPath (presets.presetPath).getFileNameWithoutExtension();

    for (size_t i = 0; i < presets.subPresetPaths.size(); ++i)
        presets.subPresetPaths[i] = element.getStringAttribute (subPresetKey + juce::String (i + 1));

    auto skip = (int) presets.subPresetPaths.size();

    if (element.hasAttribute (juce::String (textEntryKey) + "1"))
    {
        for (size_t i = 0; i < presets.textEntries.size(); ++i)
            presets.textEntries[i] = element.getStringAttribute (textEntryKey + juce::String (i + 1));

        skip += (int) presets.textEntries.size();
    }

    return skip;
}

struct Attribute
{
    juce::String name, value;
};

// Every attribute of the element in document order, in one pass that leaves the element without
// them: JUCE finds an attribute by index or by name by walking its list from the start, so
// asking for each in turn takes time quadratic in their number.
std::vector<Attribute> takeAttributes (juce::XmlElement& element)
{
    std::vector<Attribute> attributes;

    for (auto left = element.getNumAttributes(); left > 0; --left)
    {
        attributes.push_back ({ element.getAttributeName (0), element.getAttributeValue (0) });
        element.removeAttribute (attributes.back().name);
    }

    return attributes;
}

// Sets the parameters named by the attributes from position first on, in order, each from the
// value of the first attribute that carries its name. That value is read once, however often the
// name comes again: a long value read at every repeat would take time quadratic in the block.
void restoreParameters (juce::AudioProcessor& processor, const std::vector<Attribute>& attributes, size_t first)
{
    std::vector<juce::AudioProcessorParameter*> named (attributes.size());
    std::vector<std::optional<double>> firstValues ((size_t) processor.getParameters().size());

    for (size_t k = 0; k < attributes.size(); ++k)
    {
        named[k] = findParameter (processor, attributes[k].name);

        if (named[k] != nullptr && ! firstValues[(size_t) named[k]->getParameterIndex()].has_value())
            firstValues[(size_t) named[k]->getParameterIndex()] = readNumber (attributes[k].value);
    }

    for (auto k = first; k < attributes.size(); ++k)
        if (named[k] != nullptr)
            restoreParameter (*named[k], *firstValues[(size_t) named[k]->getParameterIndex()]);
}

// A text as JUCE's writer puts it in the block: its length there, and what JUCE's parser copies
// to read it back.
struct EscapedText
{
    size_t length = 0;
    juce::uint64 copying = 0;
};

EscapedText escaped (const juce::String& text)
{
    if (text.isEmpty())
        return {};

    juce::XmlElement element ("e");
    element.setAttribute ("v", text);
    juce::MemoryOutputStream out;
    element.writeTo (out, juce::XmlElement::TextFormat().singleLine().withoutHeader());

    // <e v="..."/>; the escaped text is ASCII, so each of its bytes is a character.
    constexpr size_t around = 9;
    const auto* written = static_cast<const char*> (out.getData());
    const auto length = out.getDataSize() - around;
    const auto entities = (juce::uint64) std::count (written, written + out.getDataSize(), '&');
    return { length, entityCopying (length, entities) };
}

// A text that a foreign block carried in may grow when JUCE's writer escapes it, up to six times
// for a run of quotes, so the block written from it could be too large to read or cost the parser
// more than it is allowed. Keeps the texts in order while the block stays readable and empties
// the rest in the element; true when it emptied any. A block written again from what was read
// back then keeps the same texts.
bool emptyTextsThatWouldNotReadBack (juce::XmlElement& preset, const std::vector<Attribute>& texts, size_t blockSize)
{
    // An entity is at least four characters, so the texts of a block cost the parser at most a
    // quarter of the square of their length: up to 128 KiB, a block reads back whatever it holds.
    constexpr size_t alwaysReadable = size_t { 1 } << 17;
    static_assert (entityCopying (alwaysReadable, alwaysReadable / 4) <= maxEntityCopying && alwaysReadable <= maxStateBlockBytes);

    if (blockSize <= alwaysReadable)
        return false;

    std::vector<EscapedText> sizes;
    size_t textBytes = 0;
    juce::uint64 copying = 0;

    for (const auto& text : texts)
    {
        sizes.push_back (escaped (text.value));
        textBytes += sizes.back().length;
        copying += sizes.back().copying;
    }

    if (blockSize <= maxStateBlockBytes && copying <= maxEntityCopying)
        return false;

    const auto fixedBytes = blockSize - textBytes;
    auto bytesLeft = maxStateBlockBytes - juce::jmin (maxStateBlockBytes, fixedBytes);
    auto copyingLeft = maxEntityCopying;

    for (size_t i = 0; i < texts.size(); ++i)
    {
        if (sizes[i].length <= bytesLeft && sizes[i].copying <= copyingLeft)
        {
            bytesLeft -= sizes[i].length;
            copyingLeft -= sizes[i].copying;
        }
        else
        {
            preset.setAttribute (texts[i].name, juce::String());
        }
    }

    return true;
}
} // namespace

void WarbloomAudioProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    auto& presets = *presetManager;
    juce::XmlElement root (rootTag);
    auto* preset = root.createNewChildElement (presetTag);
    std::vector<Attribute> texts;

    {
        const juce::ScopedLock lock (presets.textLock);
        texts.push_back ({ presetPathKey, presets.presetPath });

        for (size_t i = 0; i < presets.subPresetPaths.size(); ++i)
            texts.push_back ({ subPresetKey + juce::String (i + 1), presets.subPresetPaths[i] });

        for (size_t i = 0; i < presets.textEntries.size(); ++i)
            texts.push_back ({ textEntryKey + juce::String (i + 1), presets.textEntries[i] });
    }

    for (const auto& text : texts)
        preset->setAttribute (text.name, text.value);

    const auto width = presets.editorWidth.load (std::memory_order_relaxed);
    presets.savedEditorWidth.store (width, std::memory_order_relaxed);
    preset->setAttribute (widthKey, (double) width);

    const auto height = presets.editorHeight.load (std::memory_order_relaxed);
    presets.savedEditorHeight.store (height, std::memory_order_relaxed);
    preset->setAttribute (heightKey, (double) height);

    for (auto* parameter : getParameters())
        if (auto* withId = dynamic_cast<juce::AudioProcessorParameterWithID*> (parameter))
            preset->setAttribute (withId->paramID, (double) parameter->getValue());

    copyXmlToBinary (root, destData);

    if (emptyTextsThatWouldNotReadBack (*preset, texts, destData.getSize()))
        copyXmlToBinary (root, destData);
}

void WarbloomAudioProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    const auto root = parseStateBlock (data, sizeInBytes);

    if (root == nullptr)
        return;

    auto& presets = *presetManager;

    for (auto* element : root->getChildIterator())
    {
        if (element->isTextElement())
            continue;

        const auto skip = restoreTexts (presets, *element);

        const auto width = readSize (*element, widthKey);
        const auto height = readSize (*element, heightKey);
        presets.editorWidth.store (width, std::memory_order_relaxed);
        presets.savedEditorWidth.store (width, std::memory_order_relaxed);
        presets.editorHeight.store (height, std::memory_order_relaxed);
        presets.savedEditorHeight.store (height, std::memory_order_relaxed);

        if (presets.resizeEditorOnLoad.exchange (0, std::memory_order_relaxed) != 0)
            editorResize.request (width, height);

        restoreParameters (*this, takeAttributes (*element), (size_t) (skip + attributesAroundSlots));
    }
}
