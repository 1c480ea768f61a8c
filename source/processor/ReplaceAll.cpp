#include "ReplaceAll.h"

#include <string_view>

juce::String replaceAll (const juce::String& text, const juce::String& target, const juce::String& replacement)
{
    if (target.isEmpty())
        return text;

    // UTF-8 lead bytes never equal continuation bytes, so byte matches are character matches.
    const std::string_view source (text.toRawUTF8(), text.getNumBytesAsUTF8());
    const std::string_view from (target.toRawUTF8(), target.getNumBytesAsUTF8());
    const std::string_view to (replacement.toRawUTF8(), replacement.getNumBytesAsUTF8());

    juce::MemoryOutputStream result;
    size_t start = 0;

    for (auto found = source.find (from); found != std::string_view::npos; found = source.find (from, start))
    {
        result.write (source.data() + start, found - start);
        result.write (to.data(), to.size());
        start = found + from.size();
    }

    result.write (source.data() + start, source.size() - start);
    return result.toUTF8();
}
