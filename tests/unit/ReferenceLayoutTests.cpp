#include "editor/ReferenceLayout.h"

#include <gtest/gtest.h>

namespace
{
struct BoundsCase
{
    const char* what;
    ReferenceLayout layout;
    DesignRect design;
    int width, height;
    juce::Rectangle<int> expected;
};

// Design rectangles of the editor and its panels, at the reference size and doubled. The rounded
// divisors make some truncated values fall one below the design value even at the reference size.
const BoundsCase boundsCases[] = {
    { "patch panel", { 748, 385 }, { 207, 1, 520, 41 }, 748, 385, { 207, 1, 520, 41 } },
    { "tone panel (708 wide)", { 748, 385 }, { 18, 41, 709, 146 }, 748, 385, { 18, 41, 708, 146 } },
    { "echo panel (708 wide)", { 748, 385 }, { 18, 196, 709, 115 }, 748, 385, { 18, 196, 708, 115 } },
    { "master panel, whole width", { 748, 385 }, { 1, 314, 748, 71 }, 748, 385, { 1, 314, 748, 71 } },
    { "patch panel doubled", { 748, 385 }, { 207, 1, 520, 41 }, 1496, 770, { 414, 2, 1040, 82 } },
    { "tone panel doubled", { 748, 385 }, { 18, 41, 709, 146 }, 1496, 770, { 36, 82, 1417, 292 } },
    { "master panel doubled", { 748, 385 }, { 1, 314, 748, 71 }, 1496, 770, { 2, 628, 1496, 142 } },
    { "TOTAL knob x 662", { 748, 71 }, { 663, 12, 60, 60 }, 748, 71, { 662, 12, 60, 60 } },
    { "TOTAL knob doubled", { 748, 71 }, { 663, 12, 60, 60 }, 1496, 142, { 1325, 24, 120, 120 } },
    { "fader height 27", { 748, 71 }, { 531, 13, 98, 28 }, 748, 71, { 531, 13, 98, 27 } },
    { "fader doubled", { 748, 71 }, { 531, 13, 98, 28 }, 1496, 142, { 1062, 26, 196, 55 } },
    { "save button height 18", { 520, 41 }, { 460, 13, 47, 19 }, 520, 41, { 460, 13, 47, 18 } },
    { "half-pixel link", { 748, 385 }, { 273.5f, 185, 218, 23 }, 748, 385, { 273, 185, 218, 23 } },
    { "half-pixel link doubled", { 748, 385 }, { 273.5f, 185, 218, 23 }, 1496, 770, { 547, 370, 436, 46 } },
    { "About box doubled", { 748, 385 }, { 139, 67, 470, 250 }, 1496, 770, { 278, 134, 940, 500 } },
};
} // namespace

TEST (ReferenceLayout, TruncatedBoundsFollowTheRoundedDivisors)
{
    for (const auto& c : boundsCases)
        EXPECT_EQ (c.layout.bounds (c.design, c.width, c.height), c.expected) << c.what;
}

TEST (ReferenceLayout, FillsAndFontsKeepTheFloatQuotient)
{
    const ReferenceLayout master { 748, 71 };

    // 71 / (71 / 14) in single precision is not exactly 14; a fill keeps what the division gives.
    EXPECT_FLOAT_EQ (master.y (14, 71), 14.0f);
    EXPECT_EQ (master.y (14, 71), 71.0f / ReferenceLayout::divisor (71, 14));
    EXPECT_FLOAT_EQ (master.y (14, 100), 100.0f * 14.0f / 71.0f);

    const auto bar = master.area ({ 144, 14, 120, 10 }, 1000, 100);
    EXPECT_FLOAT_EQ (bar.getX(), 1000.0f * 144.0f / 748.0f);
    EXPECT_FLOAT_EQ (bar.getHeight(), 100.0f * 10.0f / 71.0f);
    EXPECT_NE (bar.getX(), std::trunc (bar.getX()));

    const ReferenceLayout about { 748, 385 };
    const auto link = about.area ({ 273.5f, 185, 218, 23 }, 748, 385);
    EXPECT_FLOAT_EQ (link.getX(), 273.5f);
}

TEST (ReferenceLayout, DivisorIsTheNearestFloatOfTheExactQuotient)
{
    EXPECT_EQ (ReferenceLayout::divisor (748, 709), (float) (748.0 / 709.0));
    EXPECT_EQ (ReferenceLayout::divisor (709, 5), 141.8f);
    EXPECT_LT (748.0f / ReferenceLayout::divisor (748, 709), 709.0f);
    EXPECT_EQ (ReferenceLayout::quotient (0, 748, 709), 0.0f);
    EXPECT_EQ ((ReferenceLayout { 748, 385 }.x (0, 748)), 0.0f);
}
