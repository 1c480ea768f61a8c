#include "Theme.h"

#include <BinaryData.h>

namespace
{
juce::Font embeddedFont (const char* data, int size)
{
    return juce::Font (juce::Typeface::createSystemTypefaceFor (data, static_cast<size_t> (size)));
}

const juce::Font* themeFonts()
{
    static const juce::Font fonts[] = {
        embeddedFont (BinaryData::DejaVuSansBold_ttf, BinaryData::DejaVuSansBold_ttfSize),
        embeddedFont (BinaryData::OpenSansSemibold_ttf, BinaryData::OpenSansSemibold_ttfSize),
        embeddedFont (BinaryData::OpenSansSemibold_ttf, BinaryData::OpenSansSemibold_ttfSize),
        embeddedFont (BinaryData::OpenSansSemibold_ttf, BinaryData::OpenSansSemibold_ttfSize),
        embeddedFont (BinaryData::DejaVuSansBold_ttf, BinaryData::DejaVuSansBold_ttfSize),
        embeddedFont (BinaryData::DejaVuSans_ttf, BinaryData::DejaVuSans_ttfSize),
        embeddedFont (BinaryData::DejaVuSans_ttf, BinaryData::DejaVuSans_ttfSize),
    };
    return fonts;
}
} // namespace

const juce::Font& ThemeFont::font() const
{
    return themeFonts()[index];
}

void loadThemeFonts()
{
    themeFonts();
}
