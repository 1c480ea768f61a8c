#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A rectangle as drawn in the pixel design at a component's reference size; values may be half pixels.
struct DesignRect
{
    float x, y, width, height;
};

// Places and draws a component at any size from its design at the reference size. Each design value v
// becomes extent / D, where D = reference / v is kept in single precision. Child bounds and text boxes
// truncate that quotient; fills, images and font heights keep it as a float. Because D is rounded to a
// float, a truncated value can land one pixel below the design even at the reference size (709 of 748
// gives 708): that is intended and every panel must get it the same way, so it lives only here.
class ReferenceLayout
{
public:
    constexpr ReferenceLayout (float referenceWidth, float referenceHeight) noexcept
        : width (referenceWidth), height (referenceHeight)
    {
    }

    static constexpr float divisor (float reference, float value) noexcept
    {
        return (float) ((double) reference / (double) value);
    }

    // A value equal to the whole reference extent is the current extent itself.
    static float quotient (int extent, float reference, float value) noexcept
    {
        if (value == reference)
            return (float) extent;

        if (value == 0.0f)
            return 0.0f;

        return (float) extent / divisor (reference, value);
    }

    float x (float value, int currentWidth) const noexcept { return quotient (currentWidth, width, value); }
    float y (float value, int currentHeight) const noexcept { return quotient (currentHeight, height, value); }

    int truncatedX (float value, int currentWidth) const noexcept { return (int) x (value, currentWidth); }
    int truncatedY (float value, int currentHeight) const noexcept { return (int) y (value, currentHeight); }

    juce::Rectangle<int> bounds (const DesignRect& r, int currentWidth, int currentHeight) const noexcept
    {
        return { truncatedX (r.x, currentWidth),
                 truncatedY (r.y, currentHeight),
                 truncatedX (r.width, currentWidth),
                 truncatedY (r.height, currentHeight) };
    }

    juce::Rectangle<float> area (const DesignRect& r, int currentWidth, int currentHeight) const noexcept
    {
        return { x (r.x, currentWidth),
                 y (r.y, currentHeight),
                 x (r.width, currentWidth),
                 y (r.height, currentHeight) };
    }

    juce::Rectangle<int> bounds (const DesignRect& r, const juce::Component& c) const noexcept
    {
        return bounds (r, c.getWidth(), c.getHeight());
    }

    juce::Rectangle<float> area (const DesignRect& r, const juce::Component& c) const noexcept
    {
        return area (r, c.getWidth(), c.getHeight());
    }

    float width, height;
};
