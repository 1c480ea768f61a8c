#pragma once

#include <juce_core/juce_core.h>

// Reads the leading number of a text as JUCE's number reader does, after shortening each run of
// digits after an exponent mark: that reader builds the exponent in an int, which overflows on
// long runs and then gives a wrong value ("1e4294967297" reads as 10). Trailing text is ignored,
// a text without a leading number reads as 0, and "nan" and "inf" read as themselves.
double readNumber (const juce::String& text);
