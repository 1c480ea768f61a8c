#include "editor/controls/BasicKnob.h"
#include "editor/controls/BasicSlider.h"
#include "editor/controls/DecibelKnob.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
TEST (ControlText, DecibelKnobValueTexts)
{
    DecibelKnob knob (-100.0f, 12.0f, "dB");

    const struct
    {
        double value;
        const char* text;
    } cases[] = {
        { 0.0, "0.0 db" },
        { -0.0, "0.0 db" },
        { -100.0, "-INF dB" },
        { -150.0, "-INF dB" },
        { -99.999, "-100.00 dB" },
        { 12.0, "+12.00 dB" },
        { 3.5, "+3.50 dB" },
        { -12.25, "-12.25 dB" },
        { 0.001, "+0.00 dB" },
        { -0.004, "-0.00 dB" },
    };

    for (const auto& c : cases)
        EXPECT_EQ (knob.getTextFromValue (c.value), c.text) << c.value;
}

TEST (ControlText, DecibelKnobParsing)
{
    DecibelKnob knob (-100.0f, 12.0f, "dB");

    const struct
    {
        const char* text;
        double value;
    } cases[] = {
        { "-inf", -100.0 },
        { "-INF", -100.0 },
        { "-Inf DB", -100.0 },
        { "+3.50 dB", 3.5 },
        { "6 DB", 6.0 },
        { "  6 DB", 6.0 },
        { "-12.25", -12.25 },
        { "loud", 0.0 },
    };

    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ (knob.getValueFromText (c.text), c.value) << c.text;

    // Its own "-INF dB" has no "DB" in capitals: it reads as minus infinity, which the knob clamps.
    EXPECT_EQ (knob.getValueFromText ("-INF dB"), -std::numeric_limits<double>::infinity());
    knob.setValue (knob.getValueFromText ("-INF dB"));
    EXPECT_EQ (knob.getValue(), -100.0);
}

TEST (ControlText, KnobAndSliderShareTheirTextRules)
{
    BasicKnob hertz (20.0f, 1200.0f, "Hz");
    BasicKnob bare (0.0f, 100.0f, "");
    BasicSlider percent (0.0f, 100.0f, "%");

    EXPECT_EQ (hertz.getTextFromValue (440.0), "440 Hz");
    EXPECT_EQ (bare.getTextFromValue (12.5), "12.5");
    EXPECT_EQ (percent.getTextFromValue (12.5), "12.5 %");

    const struct
    {
        const char* text;
        double value;
    } cases[] = {
        { "440 Hz", 440.0 },
        { "12.5 %", 12.5 },
        { "12.5", 12.5 },
        { " 12.5", 0.0 },
        { "Hz", 0.0 },
    };

    for (const auto& c : cases)
    {
        EXPECT_DOUBLE_EQ (hertz.getValueFromText (c.text), c.value) << c.text;
        EXPECT_DOUBLE_EQ (percent.getValueFromText (c.text), c.value) << c.text;
    }
}

// JUCE's number reader builds the exponent in an int: these wrapped round to 10 and 0, and
// UBSan reported the overflow.
TEST (ControlText, LongExponentsReadAsTheirMagnitude)
{
    constexpr auto inf = std::numeric_limits<double>::infinity();
    BasicKnob knob (0.0f, 100.0f, "Hz");
    BasicSlider slider (0.0f, 100.0f, "%");
    DecibelKnob decibels (-100.0f, 12.0f, "dB");

    const struct
    {
        const char* text;
        double value;
    } cases[] = {
        { "1e4294967297", inf },
        { "2e2147483648", inf },
        { "-1e4294967297 Hz", -inf },
        { "1e-4294967297", 0.0 },
        { "2.5e+0000000000000001", 25.0 },
        { "3E00000000000000000000", 3.0 },
    };

    for (const auto& c : cases)
    {
        EXPECT_EQ (knob.getValueFromText (c.text), c.value) << c.text;
        EXPECT_EQ (slider.getValueFromText (c.text), c.value) << c.text;
        EXPECT_EQ (decibels.getValueFromText (juce::String (c.text) + " DB"), c.value) << c.text;
    }
}

TEST (ControlText, ConstructorsSetStyleAndContinuousRange)
{
    BasicKnob knob (20.0f, 1200.0f, "Hz");
    BasicSlider slider (-1.0f, 1.0f, "");

    EXPECT_EQ (knob.getSliderStyle(), juce::Slider::RotaryHorizontalVerticalDrag);
    EXPECT_EQ (slider.getSliderStyle(), juce::Slider::LinearBar);
    EXPECT_EQ (knob.getTextBoxPosition(), juce::Slider::NoTextBox);
    EXPECT_EQ (knob.getMinimum(), 20.0);
    EXPECT_EQ (knob.getMaximum(), 1200.0);
    EXPECT_EQ (knob.getInterval(), 0.0);
    EXPECT_EQ (slider.getMinimum(), -1.0);
}
} // namespace
