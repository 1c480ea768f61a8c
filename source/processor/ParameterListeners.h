#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>

// Each listener serves exactly one parameter: it converts the parameter's value (in the
// parameter's own range) and stores it in one value field with a single relaxed store. The
// fields are atomics because listeners run on whichever thread changes the parameter while the
// audio thread reads the fields.

class FloatListener : public juce::AudioProcessorValueTreeState::Listener
{
public:
    FloatListener (std::atomic<float>& field, float scaleToApply)
        : target (&field), scale (scaleToApply) {}
    ~FloatListener() override {}
    void parameterChanged (const juce::String& parameterID, float newValue) override;

private:
    std::atomic<float>* target;
    float scale;
};

class FloatDecibelListener : public juce::AudioProcessorValueTreeState::Listener
{
public:
    FloatDecibelListener (std::atomic<float>& field, float silenceDb)
        : target (&field), minusInfinityDb (silenceDb) {}
    ~FloatDecibelListener() override {}
    void parameterChanged (const juce::String& parameterID, float newValue) override;

private:
    std::atomic<float>* target;
    float minusInfinityDb;
};

class BoolListener : public juce::AudioProcessorValueTreeState::Listener
{
public:
    explicit BoolListener (std::atomic<bool>& field)
        : target (&field) {}
    ~BoolListener() override {}
    void parameterChanged (const juce::String& parameterID, float newValue) override;

private:
    std::atomic<bool>* target;
};

class IntegerListener : public juce::AudioProcessorValueTreeState::Listener
{
public:
    IntegerListener (std::atomic<int32_t>& field, int32_t offsetToAdd, int32_t multiplierToApply)
        : target (&field), offset (offsetToAdd), multiplier (multiplierToApply)
    {
    }
    ~IntegerListener() override {}
    void parameterChanged (const juce::String& parameterID, float newValue) override;

private:
    std::atomic<int32_t>* target;
    int32_t offset;
    int32_t multiplier;
};
