#pragma once

#include <array>
#include <cmath>

// Note lengths in quarter-note beats, indexed by the rate choices. The stored values are part of
// the sound: the echo's thirds are single-precision values widened, the LFO's thirds are rounded
// to eight decimals.
inline constexpr std::array<double, 18> echoRateBeats {
    4.0, 3.0, 2.0, double (4.0f / 3.0f), 1.5, 1.0, double (2.0f / 3.0f), 0.75, 0.5, double (1.0f / 3.0f), 0.375, 0.25, double (1.0f / 6.0f), 0.1875, 0.125, double (1.0f / 12.0f), 0.09375, 0.0625
};

inline constexpr std::array<double, 10> gateStepBeats { 4.0, 3.0, 2.0, 1.5, 1.0, 0.75, 0.5, 0.375, 0.25, 0.125 };

inline constexpr std::array<double, 17> freakoutRateBeats {
    16.0, 12.0, 8.0, 6.0, 4.0, 3.0, 2.0, 1.33333333, 1.5, 1.0, 0.66666667, 0.75, 0.5, 0.33333333, 0.375, 0.25, 0.16666667
};

// An index outside a table stands for a length of 0 beats.
template <std::size_t size>
constexpr double beatsAt (const std::array<double, size>& table, int index)
{
    return index >= 0 && static_cast<std::size_t> (index) < size ? table[static_cast<std::size_t> (index)] : 0.0;
}

// frac (position / length) in double precision; a zero length holds the phase at 0 instead of
// dividing by zero.
inline double beatPhase (double position, double lengthInBeats)
{
    if (lengthInBeats == 0.0)
        return 0.0;

    const auto cycles = position / lengthInBeats;
    return cycles - std::trunc (cycles);
}
