#pragma once

#include "editor/Theme.h"

// The base of the editor's looks. Building one makes the theme fonts, so they exist before
// anything that the look draws is painted.
class ThemedLookAndFeel : public juce::LookAndFeel_V4
{
public:
    ThemedLookAndFeel() { loadThemeFonts(); }
};
