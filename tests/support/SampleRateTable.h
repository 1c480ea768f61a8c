#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

// Settings that must sound the same at every sample rate: at each rate they stay finite, peak
// below 1 for an input of peak 0.5 and keep their RMS within 3 dB of the one at 48 kHz.
namespace sampleRateTable
{
inline const std::vector<double> rates { 8000.0, 11025.0, 16000.0, 22050.0, 32000.0, 44100.0, 48000.0, 96000.0, 192000.0 };

struct Setting
{
    const char* name;
    std::vector<std::pair<const char*, float>> values; // parameter identifier, value in its own units
};

inline const std::vector<Setting> settings {
    { "defaults", {} },
    { "tone off, damping 100 %", { { "tonePower", 0.0f }, { "echoDamp", 100.0f } } },
    { "cutoff 20 kHz, resonance 100 %", { { "filterCut", 20000.0f }, { "filterRes", 100.0f } } },
};

// Sets the values through the parameters, as a host does; parameterFor maps an identifier to one.
template <typename Lookup>
void apply (const Setting& setting, Lookup&& parameterFor)
{
    for (const auto& [identifier, value] : setting.values)
    {
        juce::AudioProcessorParameter* parameter = parameterFor (juce::String (identifier));
        ASSERT_NE (parameter, nullptr) << identifier;
        parameter->setValueNotifyingHost (parameter->getValueForText (juce::String (value)));
    }
}

// A click, then half a second of a chord with a high partial, at peak 0.5, then a second for
// the echo to ring out: the same in seconds at every rate. The click comes while the ramps still
// glide from their starting values after prepare.
inline juce::AudioBuffer<float> chordInput (double sampleRate)
{
    juce::AudioBuffer<float> input (2, static_cast<int> (1.5 * sampleRate));
    input.clear();
    const double partials[] = { 220.0, 329.6, 1760.0 };

    for (int i = 0; i < static_cast<int> (0.5 * sampleRate); ++i)
    {
        const auto t = i / sampleRate;
        double sum = 0.0;
        for (const auto frequency : partials)
            sum += std::sin (juce::MathConstants<double>::twoPi * frequency * t);

        input.setSample (0, i, static_cast<float> (sum * 0.5 / 3.0));
        input.setSample (1, i, static_cast<float> (-sum * 0.5 / 3.0));
    }

    input.setSample (0, 0, 0.5f);
    input.setSample (1, 0, 0.5f);

    return input;
}

struct Levels
{
    bool finite = true;
    float peak = 0.0f;
    double rms = 0.0;
};

inline Levels levelsOf (const juce::AudioBuffer<float>& buffer)
{
    Levels levels;
    double sum = 0.0;
    for (int channel = 0; channel < buffer.getNumChannels(); ++channel)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
        {
            const auto x = buffer.getSample (channel, i);
            levels.finite = levels.finite && std::isfinite (x);
            levels.peak = std::max (levels.peak, std::abs (x));
            sum += static_cast<double> (x) * x;
        }

    levels.rms = std::sqrt (sum / juce::jmax (1, buffer.getNumChannels() * buffer.getNumSamples()));
    return levels;
}

// render (rate, setting) gives the output for chordInput (rate) with the setting applied; each
// of the rates is held against the setting's level at 48 kHz.
template <typename Render>
void expectLevelsHold (Render&& render, const Setting& setting, const std::vector<double>& atRates)
{
    const auto reference = levelsOf (render (48000.0, setting));
    ASSERT_GT (reference.rms, 0.0) << setting.name;

    for (const auto rate : atRates)
    {
        const auto levels = levelsOf (render (rate, setting));
        EXPECT_TRUE (levels.finite) << setting.name << " at " << rate;
        EXPECT_LT (levels.peak, 1.0f) << setting.name << " at " << rate;
        EXPECT_NEAR (20.0 * std::log10 (levels.rms / reference.rms), 0.0, 3.0) << setting.name << " at " << rate;
    }
}
} // namespace sampleRateTable
