#pragma once

#include <juce_core/juce_core.h>

#include <string>

// A state block around text as it stands, which JUCE's XML writer would not always produce:
// magic, stored length, the text and a zero byte.
inline juce::MemoryBlock rawBlock (const std::string& text)
{
    juce::MemoryBlock block;
    block.append ("VC2!", 4);
    const auto length = juce::ByteOrder::swapIfBigEndian ((juce::uint32) text.size());
    block.append (&length, 4);
    block.append (text.c_str(), text.size() + 1);
    return block;
}
