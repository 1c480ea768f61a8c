#pragma once

#include <emmintrin.h>

#include <limits>

// Per-lane tests on values held one in each lane of an SSE register.
inline __m128 magnitude (__m128 x) noexcept
{
    return _mm_andnot_ps (_mm_set1_ps (-0.0f), x);
}

// All bits set in each lane whose value is finite; a NaN fails the comparison.
inline __m128 finiteLanes (__m128 x) noexcept
{
    return _mm_cmplt_ps (magnitude (x), _mm_set1_ps (std::numeric_limits<float>::infinity()));
}
