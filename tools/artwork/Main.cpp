// Renders the editor's three images from the embedded fonts and writes them as PNGs whose colour
// is the same in every pixel, with the shapes carried only by the alpha channel.
//
//   warbloom-artwork <folder>   writes logomark.png (the About panel's mark), title.png (the
//                               title lettering) and logo.png (the maker's logo) there

#include "editor/Theme.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace
{
// The mark: a ring cut by a rising bar, like a rune over a circle.
juce::Path makerMark (juce::Rectangle<float> box)
{
    const auto side = juce::jmin (box.getWidth(), box.getHeight());
    const auto square = box.withSizeKeepingCentre (side, side);
    const auto ring = side * 0.12f;

    juce::Path mark;
    mark.addEllipse (square);
    mark.addEllipse (square.reduced (ring));
    mark.setUsingNonZeroWinding (false);

    juce::Path stem;
    stem.addRectangle (-ring * 0.5f, -side * 0.42f, ring, side * 0.84f);
    stem.addTriangle (-ring * 0.5f, -side * 0.05f, side * 0.3f, -side * 0.36f, side * 0.3f, -side * 0.16f);
    stem.addTriangle (-ring * 0.5f, side * 0.02f, side * 0.3f, side * 0.33f, side * 0.3f, side * 0.13f);
    mark.addPath (stem, juce::AffineTransform::translation (square.getCentreX() - side * 0.08f, square.getCentreY()));
    return mark;
}

void drawText (juce::Graphics& g, const juce::Font& font, float height, float extraKerning, const juce::String& text, juce::Rectangle<float> box)
{
    g.setFont (font.withHeight (height).withExtraKerningFactor (extraKerning));
    g.drawText (text, box, juce::Justification::centredLeft, false);
}

// The About panel's mark: the maker's mark and name in one light line.
void drawLogoMark (juce::Graphics& g, juce::Rectangle<float> area)
{
    g.fillPath (makerMark (area.removeFromLeft (58.0f).reduced (5.0f)));
    area.removeFromLeft (6.0f);
    drawText (g, labelFont, 24.0f, 0.02f, "Kestrune", area.removeFromTop (34.0f).withTrimmedTop (4.0f));
    drawText (g, labelFont, 15.0f, 0.35f, "AUDIO", area.withTrimmedBottom (4.0f));
}

void drawTitleLettering (juce::Graphics& g, juce::Rectangle<float> area)
{
    g.setFont (headerFont.withHeight (40.0f).withExtraKerningFactor (0.04f));
    g.drawFittedText ("WARBLOOM", area.toNearestInt(), juce::Justification::centred, 1, 0.5f);
}

void drawMakerLogo (juce::Graphics& g, juce::Rectangle<float> area)
{
    g.fillPath (makerMark (area.removeFromLeft (168.0f).reduced (14.0f)));
    area.removeFromLeft (12.0f);
    drawText (g, headerFont, 62.0f, 0.0f, "Kestrune", area.removeFromTop (100.0f).withTrimmedTop (22.0f));
    drawText (g, labelFont, 36.0f, 0.45f, "AUDIO", area.withTrimmedBottom (24.0f));
}

// Writes every pixel in one colour, with the coverage the drawing left in the alpha channel.
bool writeTintedPng (const juce::Image& coverage, juce::Colour colour, const juce::File& file)
{
    auto* out = std::fopen (file.getFullPathName().toRawUTF8(), "wb");
    if (out == nullptr)
        return false;

    auto* png = png_create_write_struct (PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    auto* info = png != nullptr ? png_create_info_struct (png) : nullptr;
    if (info == nullptr || setjmp (png_jmpbuf (png)))
    {
        png_destroy_write_struct (&png, &info);
        std::fclose (out);
        return false;
    }

    const auto width = coverage.getWidth();
    const auto height = coverage.getHeight();
    png_init_io (png, out);
    png_set_IHDR (png, info, (png_uint_32) width, (png_uint_32) height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level (png, 9);
    png_write_info (png, info);

    const juce::Image::BitmapData pixels (coverage, juce::Image::BitmapData::readOnly);
    std::vector<png_byte> row (static_cast<size_t> (width) * 4);
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            auto* p = &row[static_cast<size_t> (x) * 4];
            p[0] = colour.getRed();
            p[1] = colour.getGreen();
            p[2] = colour.getBlue();
            p[3] = pixels.getPixelColour (x, y).getAlpha();
        }
        png_write_row (png, row.data());
    }

    png_write_end (png, info);
    png_destroy_write_struct (&png, &info);
    return std::fclose (out) == 0;
}

struct Artwork
{
    const char* fileName;
    int width, height;
    juce::uint32 rgb;
    void (*draw) (juce::Graphics&, juce::Rectangle<float>);
};

const Artwork artworks[] = {
    { "logomark.png", 236, 58, 0xF4F4F4, drawLogoMark },
    { "title.png", 350, 44, 0xDE5247, drawTitleLettering },
    { "logo.png", 472, 168, 0xDE5247, drawMakerLogo },
};
} // namespace

int main (int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf (stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }

    const juce::File folder (juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]));
    if (! folder.createDirectory())
    {
        std::fprintf (stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    for (const auto& artwork : artworks)
    {
        juce::Image coverage (juce::Image::ARGB, artwork.width, artwork.height, true, juce::SoftwareImageType());
        {
            juce::Graphics g (coverage);
            g.setColour (juce::Colours::white);
            artwork.draw (g, coverage.getBounds().toFloat());
        }

        const auto file = folder.getChildFile (artwork.fileName);
        if (! writeTintedPng (coverage, juce::Colour (0xFF000000 | artwork.rgb), file))
        {
            std::fprintf (stderr, "cannot write %s\n", file.getFullPathName().toRawUTF8());
            return 1;
        }
    }

    return 0;
}
