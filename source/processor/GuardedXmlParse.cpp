#include "GuardedXmlParse.h"

#include <cstring>

namespace
{
// True when the bytes are UTF-8 in its shortest form. JUCE sizes a string copy by decoding and
// re-encoding but copies the raw bytes, so an overlong sequence (C0 80 for a zero, say) makes the
// copy overrun its buffer, and a cut-off sequence makes the decoder read past the end.
bool isShortestFormUtf8 (const char* text, int length)
{
    const auto* bytes = reinterpret_cast<const juce::uint8*> (text);

    for (auto i = 0; i < length;)
    {
        const auto lead = bytes[i];

        if (lead < 0x80)
        {
            ++i;
            continue;
        }

        const auto extra = lead >= 0xf0 ? 3 : (lead >= 0xe0 ? 2 : 1);

        if (lead < 0xc2 || lead > 0xf4 || extra >= length - i)
            return false;

        auto codePoint = (juce::uint32) (lead & (0x3f >> extra));

        for (auto k = 1; k <= extra; ++k)
        {
            if ((bytes[i + k] & 0xc0) != 0x80)
                return false;

            codePoint = (codePoint << 6) | (bytes[i + k] & 0x3f);
        }

        constexpr juce::uint32 smallestOfLength[] = { 0, 0x80, 0x800, 0x10000 };

        if (codePoint < smallestOfLength[extra] || codePoint > 0x10ffff || (codePoint >= 0xd800 && codePoint <= 0xdfff))
            return false;

        i += extra + 1;
    }

    return true;
}

bool startsWithIgnoringCase (const char* text, int length, const char* word)
{
    const auto wordLength = (int) std::strlen (word);

    if (length < wordLength)
        return false;

    for (auto i = 0; i < wordLength; ++i)
        if (juce::CharacterFunctions::toLowerCase ((juce::juce_wchar) text[i]) != (juce::juce_wchar) word[i])
            return false;

    return true;
}

// "#65;" or "#x41;" naming a character that a string can hold.
bool isCharacterReference (const char* text, int length)
{
    if (length < 1 || text[0] != '#')
        return false;

    const auto hex = length > 1 && (text[1] == 'x' || text[1] == 'X');
    const auto first = hex ? 2 : 1;
    const auto maxDigits = hex ? 8 : 12;
    juce::int64 value = 0;
    auto i = first;

    for (; i < length && i - first < maxDigits; ++i)
    {
        const auto digit = hex ? juce::CharacterFunctions::getHexDigitValue ((juce::juce_wchar) text[i])
                               : (juce::CharacterFunctions::isDigit (text[i]) ? text[i] - '0' : -1);

        if (digit < 0)
            break;

        value = value * (hex ? 16 : 10) + digit;
    }

    return i > first && i < length && text[i] == ';' && value > 0 && value <= 0x10ffff && ! (value >= 0xd800 && value <= 0xdfff);
}

// Every '&' starts one of the five named entities or a character reference, which is all that
// JUCE's writer produces. JUCE's entity reader steps past the end of the text on a cut-off or
// malformed reference.
bool hasOnlyWellFormedEntities (const char* text, int length)
{
    static constexpr const char* named[] = { "amp;", "quot;", "apos;", "lt;", "gt;" };

    for (auto i = 0; i < length; ++i)
    {
        if (text[i] != '&')
            continue;

        const auto* rest = text + i + 1;
        const auto left = length - i - 1;
        auto wellFormed = isCharacterReference (rest, left);

        for (const auto* name : named)
            wellFormed = wellFormed || startsWithIgnoringCase (rest, left, name);

        if (! wellFormed)
            return false;
    }

    return true;
}
} // namespace

std::unique_ptr<juce::XmlElement> parseGuardedXml (const char* text, int maxLength)
{
    const auto length = (int) strnlen (text, (size_t) juce::jmax (0, maxLength));

    if (! isShortestFormUtf8 (text, length) || ! hasOnlyWellFormedEntities (text, length))
        return {};

    // JUCE's parser loops forever on a processing instruction inside an element's content, so
    // only the leading declaration may be one.
    const auto xml = juce::String::fromUTF8 (text, length).trimStart();

    if (xml.indexOf (xml.startsWith ("<?") ? 2 : 0, "<?") >= 0)
        return {};

    return juce::parseXML (xml);
}
