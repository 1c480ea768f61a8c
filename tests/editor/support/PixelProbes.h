#pragma once

#include "ComponentImage.h"

#include <gtest/gtest.h>

namespace ComponentImage
{
// Checks that (x, y) holds `expected`, each channel within `tolerance`, and names the colour found.
testing::AssertionResult hasColour (const juce::Image& image, int x, int y, juce::Colour expected, int tolerance = 2);
} // namespace ComponentImage
