#include "processor/ReplaceAll.h"

#include <gtest/gtest.h>

namespace
{
// The one-pass replacement gives JUCE's result, also where matches overlap, the replacement holds
// the target or characters take several bytes.
TEST (ReplaceAll, GivesJuceReplacesResult)
{
    const struct
    {
        const char* text;
        const char* target;
        const char* replacement;
    } cases[] = {
        { "My_Old_Preset", "_", " " },
        { "__a__", "_", " " },
        { "___", "_", "" },
        { "no underscores", "_", " " },
        { "", "_", " " },
        { "aaa", "aa", "b" },
        { "aaaa", "aa", "a" },
        { "abab", "ab", "abab" },
        { "a_b", "_", "__" },
        { "xyz", "", "q" },
        { "ab", "abc", "q" },
        { "\xc3\xa9_\xc3\xa9\xe2\x82\xac_", "\xc3\xa9", "e" },
        { "\xe2\x82\xac\xe2\x82\xac", "\xe2\x82\xac", "\xf0\x9f\x8e\xb5" },
    };

    for (const auto& c : cases)
    {
        const juce::String text (juce::CharPointer_UTF8 (c.text)), target (juce::CharPointer_UTF8 (c.target)), replacement (juce::CharPointer_UTF8 (c.replacement));
        EXPECT_EQ (replaceAll (text, target, replacement), text.replace (target, replacement)) << c.text << " / " << c.target;
    }
}
} // namespace
