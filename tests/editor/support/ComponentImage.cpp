#include "ComponentImage.h"

namespace ComponentImage
{
juce::Image paint (juce::Component& component, int width, int height)
{
    component.setBounds (0, 0, width, height);

    juce::Image image (juce::Image::ARGB, width, height, true, juce::SoftwareImageType());
    juce::Graphics g (image);
    component.paintEntireComponent (g, true);
    return image;
}

bool writePng (const juce::Image& image, const juce::File& file)
{
    if (! file.getParentDirectory().createDirectory())
        return false;

    file.deleteFile();
    juce::FileOutputStream out (file);
    juce::PNGImageFormat png;
    return out.openedOk() && png.writeImageToStream (image, out);
}

juce::Colour pixel (const juce::Image& image, int x, int y)
{
    return image.getPixelAt (x, y);
}

juce::Colour over (juce::Colour bottom, juce::Colour top)
{
    return bottom.overlaidWith (top);
}

int largestChannelDifference (juce::Colour a, juce::Colour b)
{
    return juce::jmax (std::abs (a.getAlpha() - b.getAlpha()),
                       std::abs (a.getRed() - b.getRed()),
                       std::abs (a.getGreen() - b.getGreen()),
                       std::abs (a.getBlue() - b.getBlue()));
}

juce::Rectangle<int> boundsOfPixelsNot (const juce::Image& image, juce::Colour background, juce::Rectangle<int> area, int tolerance)
{
    juce::Rectangle<int> found;
    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            if (largestChannelDifference (pixel (image, x, y), background) > tolerance)
                found = found.isEmpty() ? juce::Rectangle<int> (x, y, 1, 1) : found.getUnion ({ x, y, 1, 1 });
    return found;
}
} // namespace ComponentImage
