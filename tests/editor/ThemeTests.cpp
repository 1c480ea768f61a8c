#include "editor/Theme.h"
#include "support/PixelProbes.h"

#include <BinaryData.h>
#include <gtest/gtest.h>

namespace
{
TEST (Theme, FontsComeFromTheEmbeddedFacesAtDefaultHeight)
{
    const struct
    {
        const ThemeFont& font;
        const char* family;
        const char* style;
    } cases[] = {
        { headerFont, "DejaVu Sans", "Bold" },
        { labelFont, "Open Sans", "Semibold" },
        { knobFont, "Open Sans", "Semibold" },
        { knobFontAlt, "Open Sans", "Semibold" },
        { buttonFont, "DejaVu Sans", "Bold" },
        { comboFont, "DejaVu Sans", "Book" },
        { popupFont, "DejaVu Sans", "Book" },
    };

    juce::Array<juce::Typeface*> typefaces;
    for (const auto& c : cases)
    {
        const juce::Font& font = c.font;
        EXPECT_EQ (font.getTypefaceName(), c.family);
        EXPECT_EQ (font.getTypefaceStyle(), c.style);
        EXPECT_EQ (font.getHeight(), 14.0f);
        EXPECT_EQ (font.getHorizontalScale(), 1.0f);
        typefaces.addIfNotAlreadyThere (font.getTypefacePtr().get());
    }

    // Each font has a typeface of its own, made once: asking again gives the same object.
    EXPECT_EQ (typefaces.size(), 7);
    EXPECT_EQ (headerFont.font().getTypefacePtr().get(), typefaces[0]);
}

TEST (Theme, OverlayScreenDarkensWhatLiesBelow)
{
    EXPECT_EQ (overlayScreen.getAlpha(), 0xBB);

    const auto onWhite = juce::Colours::white.overlaidWith (overlayScreen);
    const auto onRed = juce::Colours::red.overlaidWith (overlayScreen);
    EXPECT_NEAR (onWhite.getRed(), (0x21 * 187 + 255 * 68) / 255, 1);
    EXPECT_GT (onRed.getRed(), onRed.getGreen() + 40);
}

// Every visible pixel of an image carries its one colour; the shapes live in the alpha channel.
// Pixels come back premultiplied, so each channel must be the colour scaled by the alpha (JUCE
// premultiplies with a shift, which may be off by a little more than one step).
TEST (Theme, ImagesHaveTheirSizeAndOneColour)
{
    const struct
    {
        const char* data;
        int size;
        int width, height;
        juce::uint32 rgb;
    } images[] = {
        { BinaryData::logomark_png, BinaryData::logomark_pngSize, 236, 58, 0xF4F4F4 },
        { BinaryData::title_png, BinaryData::title_pngSize, 350, 44, 0xDE5247 },
        { BinaryData::logo_png, BinaryData::logo_pngSize, 472, 168, 0xDE5247 },
    };

    for (const auto& expected : images)
    {
        const auto image = juce::ImageFileFormat::loadFrom (expected.data, static_cast<size_t> (expected.size));
        ASSERT_TRUE (image.isValid());
        EXPECT_EQ (image.getWidth(), expected.width);
        EXPECT_EQ (image.getHeight(), expected.height);
        EXPECT_TRUE (image.hasAlphaChannel());

        const juce::Colour colour (0xFF000000 | expected.rgb);
        const juce::Image::BitmapData pixels (image, juce::Image::BitmapData::readOnly);
        int opaque = 0, wrong = 0;
        for (int y = 0; y < image.getHeight(); ++y)
        {
            for (int x = 0; x < image.getWidth(); ++x)
            {
                const auto p = *reinterpret_cast<const juce::PixelARGB*> (pixels.getPixelPointer (x, y));
                const auto alpha = p.getAlpha();
                opaque += alpha == 255 ? 1 : 0;
                const auto scaled = [alpha] (juce::uint8 c)
                { return c * alpha / 255.0f; };
                if (std::abs (p.getRed() - scaled (colour.getRed())) > 2.0f || std::abs (p.getGreen() - scaled (colour.getGreen())) > 2.0f || std::abs (p.getBlue() - scaled (colour.getBlue())) > 2.0f)
                    ++wrong;
            }
        }

        EXPECT_EQ (wrong, 0) << expected.width << " x " << expected.height;
        EXPECT_GT (opaque, expected.width * expected.height / 50) << "the image shows almost nothing";
    }
}
} // namespace
