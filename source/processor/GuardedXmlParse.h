#pragma once

#include <juce_core/juce_core.h>

#include <memory>

// Parses XML text that came from outside (a host's state block, a preset file) with JUCE's
// parser, after refusing the text that parser cannot take safely: it reads past the end or
// overruns its own buffers on some malformed input, loops forever on other input, overflows the
// stack on deep nesting and takes quadratic time on many attributes or entities. Every block the
// plug-in writes passes. The text ends at its first zero byte or after maxLength bytes.
std::unique_ptr<juce::XmlElement> parseGuardedXml (const char* text, int maxLength);

// JUCE's parser grows a quoted value by copying it once per entity in it. The guard adds this up
// over all the values of a text and refuses the text when the sum is above the limit.
constexpr juce::uint64 maxEntityCopying = juce::uint64 { 1 } << 32;

constexpr juce::uint64 entityCopying (juce::uint64 valueLength, juce::uint64 entities)
{
    return valueLength * entities;
}
