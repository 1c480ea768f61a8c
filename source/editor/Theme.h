#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The editor's one vocabulary of colours and fonts. Several names share a value on purpose: each
// names a role, so one role can change without touching the others.
const juce::Colour backgroundColour { 0xFFE2E6EB };
const juce::Colour panelColour { 0xFFA9B3BF };
const juce::Colour panelHeaderColour { 0xFF242424 };
const juce::Colour borderColour { 0xFF0C0C0C };
const juce::Colour lightBorderColour { 0xFFE3E3E3 };
const juce::Colour sliderBaseColour { 0xFF0C0C0C };
const juce::Colour sliderFillColour { 0xFFFDF8EC };
const juce::Colour smKnobColour { 0xFFD4D2C7 };
const juce::Colour medKnobColour { 0xFFD4D2C7 };
const juce::Colour orangeKnobColour { 0xFFE34A00 };
const juce::Colour orangeLineColour { 0xFFDE5247 };
const juce::Colour buttonOnColour { 0xFF559CC1 };
const juce::Colour buttonOffColour { 0xFF75858A };
const juce::Colour radioOnColour { 0xFFA9B5BB };
const juce::Colour medButtonColour { 0xFF559CC1 };
const juce::Colour medButtonHoverColour { 0xFF7E9BA5 };
const juce::Colour smSliderColour { 0xFF292929 };
const juce::Colour smButtonColour { 0xFF559CC1 };
const juce::Colour powerButtonOnColour { 0xFFFF5A00 };
const juce::Colour powerButtonOnAltColour { 0xFFEA411B };
const juce::Colour powerButtonOffColour { 0xFF617880 };
const juce::Colour powerButtonBorderColour { 0xFFFFE6BB };
const juce::Colour comboBoxColour { 0xFFBEC5C9 };
const juce::Colour popupMenuColour { 0xFF31383A };
const juce::Colour popupHoverColour { 0xFF9CB5BD };
const juce::Colour popupTextColour { 0xFF98AEB4 };
const juce::Colour popupTextAltColour { 0xFFCAE7EF };
const juce::Colour labelTextColour { 0xFF292929 };
const juce::Colour labelTextAltColour { 0xFF595959 };
const juce::Colour headerTextColour { 0xFF343738 };
const juce::Colour headerTextColourAlt { 0xFFFDF8EC };
const juce::Colour whiteTextColour { 0xFFF7F7F7 };
const juce::Colour altTextColour { 0xFFBDBDBD };
const juce::Colour overlayScreen { 0xBB212121 };

// The seven fonts, each made from an embedded font file with a typeface of its own. A ThemeFont
// is a constant that stands for its font wherever a juce::Font is taken. The fonts are made on
// first use rather than while the module's statics start, because JUCE's font scanning needs
// JUCE's own statics ready; loadThemeFonts() makes them all, and every look-and-feel calls it when
// it is built so that no typeface is made while drawing. Each keeps JUCE's default height 14:
// drawing routines set the height they need on their own copy.
class ThemeFont
{
public:
    constexpr explicit ThemeFont (int fontIndex) noexcept
        : index (fontIndex)
    {
    }

    const juce::Font& font() const;
    operator const juce::Font&() const { return font(); }
    juce::Font withHeight (float height) const { return font().withHeight (height); }

private:
    int index;
};

constexpr ThemeFont headerFont { 0 };
constexpr ThemeFont labelFont { 1 };
constexpr ThemeFont knobFont { 2 };
constexpr ThemeFont knobFontAlt { 3 };
constexpr ThemeFont buttonFont { 4 };
constexpr ThemeFont comboFont { 5 };
constexpr ThemeFont popupFont { 6 };

void loadThemeFonts();
