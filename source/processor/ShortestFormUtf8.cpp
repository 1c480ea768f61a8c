#include "ShortestFormUtf8.h"

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
