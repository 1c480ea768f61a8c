#include "processor/GuardedNumber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace
{
// Each exponent reads at its full size, as JUCE's reader would if its int did not overflow; a
// long mantissa moves the exponent JUCE works with, so a long negative exponent can bring it back.
TEST (GuardedNumber, LongExponentsReadAtTheirFullSize)
{
    constexpr auto inf = std::numeric_limits<double>::infinity();
    const auto longMantissa = "1" + std::string (100000, '0');

    const struct
    {
        std::string text;
        double value;
    } cases[] = {
        { "1e4294967297", inf },
        { "2e2147483648", inf },
        { "-1e4294967297", -inf },
        { "1e-4294967297", 0.0 },
        { "1e999999999", inf },
        { "2.5e+0000000000000001", 25.0 },
        { "3E00000000000000000000 Hz", 3.0 },
        { longMantissa + "e-100000", 1.0 },
        { longMantissa + "e-100002", 0.01 },
        { "  7  ", 7.0 },
        { "-", 0.0 },
        { "", 0.0 },
        { "inf", inf },
    };

    for (const auto& c : cases)
        EXPECT_EQ (readNumber (c.text), c.value) << c.text.substr (0, 40);

    EXPECT_TRUE (std::isnan (readNumber ("nan")));
}
} // namespace
