#pragma once

#include <juce_core/juce_core.h>

#include <memory>

// Parses XML text that came from outside (a host's state block, a preset file) with JUCE's
// parser, after refusing the text that parser cannot take safely: it reads past the end or
// overruns its own buffers on some malformed input, loops forever on other input, overflows the
// stack on deep nesting and takes quadratic time on many attributes or entities. Text that
// JUCE's XML writer produced from a state block always passes. The text ends at its first zero byte or after
// maxLength bytes.
std::unique_ptr<juce::XmlElement> parseGuardedXml (const char* text, int maxLength);
