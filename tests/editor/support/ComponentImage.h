#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Paints real components into software-rendered images and probes their pixels, so tests and
// the snapshot tool see exactly what a window would show.
namespace ComponentImage
{
// Gives the component the size width x height and paints it, with its children, into a cleared
// ARGB image of that size.
juce::Image paint (juce::Component& component, int width, int height);

// Saves the image as a PNG, creating the folder if needed.
bool writePng (const juce::Image& image, const juce::File& file);

// The colour at (x, y), unpremultiplied.
juce::Colour pixel (const juce::Image& image, int x, int y);

// What painting `top` over `bottom` gives.
juce::Colour over (juce::Colour bottom, juce::Colour top);

// The largest difference between the two colours in any channel, alpha included.
int largestChannelDifference (juce::Colour a, juce::Colour b);

// The smallest rectangle holding every pixel of `area` that differs from `background` by more
// than `tolerance` in some channel; empty when there is none.
juce::Rectangle<int> boundsOfPixelsNot (const juce::Image& image, juce::Colour background, juce::Rectangle<int> area, int tolerance = 8);
} // namespace ComponentImage
