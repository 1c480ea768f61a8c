#include "PixelProbes.h"

namespace ComponentImage
{
testing::AssertionResult hasColour (const juce::Image& image, int x, int y, juce::Colour expected, int tolerance)
{
    const auto actual = pixel (image, x, y);
    if (largestChannelDifference (actual, expected) <= tolerance)
        return testing::AssertionSuccess();

    return testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is 0x" << actual.toDisplayString (true)
                                       << ", expected 0x" << expected.toDisplayString (true);
}
} // namespace ComponentImage
