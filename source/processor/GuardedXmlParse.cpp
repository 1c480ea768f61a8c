#include "GuardedXmlParse.h"

#include "ShortestFormUtf8.h"

#include <cstring>

namespace
{
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

// Follows JUCE's parser through the text, without its recursion, measuring what would make the
// parser fail the caller: JUCE reads each level of elements in two nested calls, so deeply nested
// text overflows the stack; it files every element and attribute name in one sorted global
// array, kept for half a minute, so many names take time quadratic in their number; and it grows
// a quoted value by copying it once per entity. Each step mirrors the parser's own, so that text in quotes, comments and CDATA is passed
// over where JUCE passes over it; once the parser runs out of text nothing further is read.
class ParserWalk
{
public:
    explicit ParserWalk (const juce::String& xml)
        : input (xml.getCharPointer()) {}

    // A block the plug-in writes is two levels deep, with 2 elements, 119 attributes and a few
    // short values.
    bool staysWithinLimits()
    {
        if (skipHeaderAndDoctype())
        {
            skipNextWhiteSpace();

            if (! outOfData && *input == '<' && readTag() == Tag::opened)
                readNestedContent();
        }

        return ! overLimits;
    }

private:
    enum class Tag
    {
        opened,
        complete,
        missingName,
        end
    };

    enum class Content
    {
        opened,
        closed,
        end
    };

    static bool isIdentifierChar (juce::juce_wchar c)
    {
        if (c < 128)
            return juce::CharacterFunctions::isLetterOrDigit ((char) c) || c == '_' || c == '-' || c == ':' || c == '.';

        return c >= 160 && juce::CharacterFunctions::isLetterOrDigit (c);
    }

    void skipToken()
    {
        while (isIdentifierChar (*input))
            ++input;
    }

    juce::juce_wchar readNextChar()
    {
        const auto c = input.getAndAdvance();

        if (c == 0)
        {
            outOfData = true;
            --input;
        }

        return c;
    }

    // Past the opening characters and then past "close", or out of data when it never comes.
    void skipPast (int opening, const char* close)
    {
        input += opening;
        const auto at = input.indexOf (juce::CharPointer_ASCII (close));

        if (at < 0)
            outOfData = true;
        else
            input += at + (int) std::strlen (close);
    }

    bool startsWith (int offset, const char* text) const
    {
        return juce::CharacterFunctions::compareUpTo (input + offset, juce::CharPointer_ASCII (text), (int) std::strlen (text)) == 0;
    }

    // Whitespace, comments and processing instructions.
    void skipNextWhiteSpace()
    {
        while (! outOfData)
        {
            input.incrementToEndOfWhitespace();

            if (input.isEmpty())
                outOfData = true;
            else if (startsWith (0, "<!--"))
                skipPast (4, "-->");
            else if (startsWith (0, "<?"))
                skipPast (2, "?>");
            else
                return;
        }
    }

    bool skipHeaderAndDoctype()
    {
        skipNextWhiteSpace();

        if (startsWith (0, "<?xml"))
        {
            const auto headerEnd = juce::CharacterFunctions::find (input, juce::CharPointer_ASCII ("?>"));

            if (headerEnd.isEmpty())
                return false;

            input = headerEnd + 2;
            skipNextWhiteSpace();
        }

        if (startsWith (0, "<!DOCTYPE"))
        {
            input += 9;

            for (auto n = 1; n > 0;)
            {
                const auto c = readNextChar();

                if (outOfData)
                    return false;

                n += c == '<' ? 1 : (c == '>' ? -1 : 0);
            }
        }

        return true;
    }

    // From a '<' that starts an element to the end of its tag.
    Tag readTag()
    {
        ++input;

        if (! isIdentifierChar (*input))
        {
            skipNextWhiteSpace();

            if (! isIdentifierChar (*input))
                return Tag::missingName;
        }

        skipToken();
        countName();

        for (;;)
        {
            skipNextWhiteSpace();

            if (outOfData)
                return Tag::end;

            const auto c = *input;

            if (c == '/' && input[1] == '>')
            {
                input += 2;
                return Tag::complete;
            }

            if (c == '>')
            {
                ++input;
                return Tag::opened;
            }

            if (! isIdentifierChar (c))
                return Tag::complete;

            skipToken();
            skipNextWhiteSpace();

            if (readNextChar() != '=')
                return Tag::complete;

            skipNextWhiteSpace();
            const auto quote = *input;

            if (quote != '"' && quote != '\'')
                return Tag::complete;

            countName();

            if (! skipQuotedValue (quote))
                return Tag::end;
        }
    }

    void countName()
    {
        constexpr int maxNames = 1024;
        overLimits = overLimits || ++names > maxNames;
    }

    // False when the text ends inside the value. The entities the guard lets through hold no quote.
    bool skipQuotedValue (juce::juce_wchar quote)
    {
        juce::uint64 length = 0, entities = 0;

        for (++input; *input != quote; ++input, ++length)
        {
            if (*input == 0)
                return false;

            if (*input == '&')
                ++entities;
        }

        ++input;
        copying += entityCopying (length, entities);
        overLimits = overLimits || copying > maxEntityCopying;
        return true;
    }

    void readNestedContent()
    {
        constexpr int maxNesting = 16;

        for (auto depth = 1; depth > 0 && ! overLimits;)
        {
            switch (readContent())
            {
                case Content::opened:
                    overLimits = ++depth > maxNesting;
                    break;
                case Content::closed:
                    --depth;
                    break;
                case Content::end:
                    return;
            }
        }
    }

    // An element's content up to a child that has content of its own, or to the element's end.
    Content readContent()
    {
        for (;;)
        {
            skipNextWhiteSpace();

            if (outOfData)
                return Content::end;

            if (*input != '<')
            {
                if (! skipText())
                    return Content::end;
            }
            else if (input[1] == '/')
            {
                const auto closeTag = input.indexOf ((juce::juce_wchar) '>');

                if (closeTag >= 0)
                    input += closeTag + 1;

                return Content::closed;
            }
            else if (startsWith (1, "![CDATA["))
            {
                skipPast (9, "]]>");
            }
            else
            {
                switch (readTag())
                {
                    case Tag::opened:
                        return Content::opened;
                    case Tag::complete:
                        break;
                    case Tag::missingName:
                        return Content::closed;
                    case Tag::end:
                        return Content::end;
                }
            }
        }
    }

    // Text up to the next '<' that does not start a comment; false when the text ends first.
    bool skipText()
    {
        for (;;)
        {
            const auto c = *input;

            if (c == 0)
                return false;

            if (startsWith (0, "<!--"))
            {
                skipPast (4, "-->");

                if (outOfData)
                    return false;
            }
            else if (c == '<')
            {
                return true;
            }
            else
            {
                ++input;
            }
        }
    }

    juce::String::CharPointerType input;
    bool outOfData = false;
    int names = 0;
    juce::uint64 copying = 0;
    bool overLimits = false;
};
} // namespace

std::unique_ptr<juce::XmlElement> parseGuardedXml (const char* text, int maxLength)
{
    const auto length = (int) strnlen (text, (size_t) juce::jmax (0, maxLength));

    if (! isShortestFormUtf8 (text, length) || ! hasOnlyWellFormedEntities (text, length))
        return {};

    // JUCE's parser loops forever on a processing instruction inside an element's content, so
    // only the leading declaration may be one.
    const auto xml = juce::String::fromUTF8 (text, length).trimStart();

    if (xml.indexOf (xml.startsWith ("<?") ? 2 : 0, "<?") >= 0 || ! ParserWalk (xml).staysWithinLimits())
        return {};

    return juce::parseXML (xml);
}
