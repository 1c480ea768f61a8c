#pragma once

#include "RateTables.h"

#include <cmath>
#include <cstdlib>
#include <limits>

// Tempo-synced oscillator record. It never advances itself: its owner sets the phase from the
// beat position every sample, so every wave stays locked to the host's grid. The same record
// serves as the Freakout sample-and-hold clock.
class LFO
{
public:
    // 0.5 - 0.5 * w for wave 0..7; 0.5 when disabled or for any other wave.
    // Inlined: as an out-of-line call it is a visible part of the tone loop at the defaults.
    [[gnu::always_inline]] float getSample (int wave, float shift, float offset)
    {
        if (! enabled || wave < 0 || wave > 7)
            return 0.5f;

        const auto p = phase;
        const auto s = static_cast<double> (shift);
        const auto o = static_cast<double> (offset);
        const auto a = 1.0f - 4.0f * (shift - 0.25f);
        const auto b = 2.0f * (shift - 0.25f) - 1.0f;
        const auto d = 4.0f * (shift - 0.25f) - 1.0f;
        float w = 0.0f;

        switch (wave)
        {
            case 0:
                w = static_cast<float> (std::sin (twoPi * frac (s + p + o)));
                break;
            case 1:
            {
                const auto f = frac (p + 0.25 + s + o);
                const auto t = f <= 0.5f ? f : 1.0f - f;
                w = (t - 0.25f) * 4.0f;
                break;
            }
            case 2:
                w = a + 2.0f * d * frac (p + 0.25 + o + 0.75);
                break;
            case 3:
                w = 2.0f * a * frac (p + 0.25 + o + 0.75) + b;
                break;
            case 4:
                w = 2.0f * a * logCurve (frac (p + 0.25 + o + 0.75)) + b;
                break;
            case 5:
                w = a + 2.0f * d * logCurve (frac (p + 0.25 + o + 0.75));
                break;
            case 6:
                w = static_cast<float> (std::atan (std::sin (twoPi * frac (s + p + o + 0.75)) / 0.01) / 1.5);
                phase = p - std::trunc (p);
                break;
            default:
            {
                const auto f = static_cast<double> (frac (p + 0.25 + s + o));
                w = static_cast<float> (1.0 - 2.0 * std::abs (std::sin (f * 0.5 * twoPi)));
                break;
            }
        }

        return static_cast<float> (0.5 - 0.5 * static_cast<double> (w));
    }

    // Freakout clock step: a new random value in [-1, 1) whenever the phase over cycleBeats wraps.
    // The owner advances ppq afterwards. A zero-length cycle holds the clock and its value.
    float sampleAndHold (double cycleBeats)
    {
        if (cycleBeats == 0.0)
        {
            phase = 0.0;
            return heldRandomValue;
        }

        const auto wrapped = wrappedPhase (cycleBeats);
        if (lastWrappedPhase - wrapped > 0.9f)
            heldRandomValue = (static_cast<float> (std::rand()) - 1073741824.0f) * (1.0f / 1073741824.0f);

        lastWrappedPhase = wrapped;
        return heldRandomValue;
    }

    // One block of sampleAndHold calls, one a sample. While ppq only grows the wrapped phase only
    // rises between two wraps, and a draw needs a fall of more than 0.9, so the phase is worked
    // out only from nine tenths of each cycle on (floor, since a negative position wraps too).
    struct HoldRun
    {
        double cycleBeats;
        bool skips;
        double exactFrom = -std::numeric_limits<double>::infinity();
    };

    HoldRun startHoldRun (double cycleBeats) const { return { cycleBeats, beatsPerSample > 0.0 && cycleBeats > 40.0 * beatsPerSample }; }

    float sampleAndHold (HoldRun& run)
    {
        if (ppq < run.exactFrom)
            return heldRandomValue;

        const auto value = sampleAndHold (run.cycleBeats);
        if (run.skips)
            run.exactFrom = (std::floor (ppq / run.cycleBeats) + 0.9) * run.cycleBeats;

        return value;
    }

    // Leaves the phase and the last wrapped phase as the block's last call, at lastPpq, would
    // have left them.
    void finishHoldRun (const HoldRun& run, double lastPpq)
    {
        if (! run.skips)
            return;

        const auto current = ppq;
        ppq = lastPpq;
        lastWrappedPhase = wrappedPhase (run.cycleBeats);
        ppq = current;
    }

    void startBlock (double newBpm, double newPpq)
    {
        bpm = newBpm;
        ppq = newPpq;
        beatsPerSample = (bpm / 60.0) / sampleRate;
    }

    void advance() { ppq += beatsPerSample; }

    // The sum is formed in double precision, rounded to float, and reduced in float. Below 2^23
    // the truncation through int is exact, the difference is exact, and copysign gives a whole
    // number fmodf's signed zero, so this is fmodf (x, 1) without the library call.
    static float frac (double x)
    {
        const auto f = static_cast<float> (x);
        if (! (std::abs (f) < 8388608.0f))
            return std::fmod (f, 1.0f);

        return std::copysign (f - static_cast<float> (static_cast<int> (f)), f);
    }

    double phase = 0.0;
    float lastWrappedPhase = 0.0f;
    float heldRandomValue = 0.0f;
    double sampleRate = -1.0;
    double cyclesPerSample = 0.0;
    double bpm = 0.0;
    double beatsPerSample = 0.0;
    double ppq = 0.0;
    bool enabled = false;

private:
    static constexpr double twoPi = static_cast<double> (6.2831855f);

    float wrappedPhase (double cycleBeats)
    {
        phase = beatPhase (ppq, cycleBeats);
        const auto lifted = phase + 100.0;
        return static_cast<float> (lifted - std::trunc (lifted));
    }

    static float logCurve (float f)
    {
        if (f <= 0.00398107)
            return 1.0f;

        return static_cast<float> (static_cast<double> (std::log10 (f)) * -0.4166666666666667);
    }
};
