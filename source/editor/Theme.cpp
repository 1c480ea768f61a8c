#include "Theme.h"

#include <BinaryData.h>

namespace
{
juce::Font embeddedFont (const char* data, int size)
{
    return juce::Font (juce::Typeface::createSystemTypefaceFor (data, static_cast<size_t> (size)));
}
} // namespace

const juce::Font headerFont = embeddedFont (BinaryData::DejaVuSansBold_ttf, BinaryData::DejaVuSansBold_ttfSize);
const juce::Font labelFont = embeddedFont (BinaryData::OpenSansSemibold_ttf, BinaryData::OpenSansSemibold_ttfSize);
const juce::Font knobFont = embeddedFont (BinaryData::OpenSansSemibold_ttf, BinaryData::OpenSansSemibold_ttfSize);
const juce::Font knobFontAlt = embeddedFont (BinaryData::OpenSansSemibold_ttf, BinaryData::OpenSansSemibold_ttfSize);
const juce::Font buttonFont = embeddedFont (BinaryData::DejaVuSansBold_ttf, BinaryData::DejaVuSansBold_ttfSize);
const juce::Font comboFont = embeddedFont (BinaryData::DejaVuSans_ttf, BinaryData::DejaVuSans_ttfSize);
const juce::Font popupFont = embeddedFont (BinaryData::DejaVuSans_ttf, BinaryData::DejaVuSans_ttfSize);
