#pragma once

#include <juce_core/juce_core.h>

// True when the bytes are UTF-8 in its shortest form. JUCE sizes a string copy by decoding and
// re-encoding but copies the raw bytes, so an overlong sequence (C0 80 for a zero, say) makes the
// copy overrun its buffer, and a cut-off sequence makes the decoder read past the end. JUCE's own
// CharPointer_UTF8::isValidString lets overlong sequences through.
bool isShortestFormUtf8 (const char* text, int length);
