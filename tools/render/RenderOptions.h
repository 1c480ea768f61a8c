#pragma once

#include <juce_core/juce_core.h>

#include <optional>
#include <utility>
#include <vector>

namespace warbloom::render
{
struct RenderOptions
{
    juce::File input;  // empty: the built-in test signal
    juce::File plugin; // empty: the bundle built beside this tool
    juce::File output { juce::File::getCurrentWorkingDirectory().getChildFile ("warbloom-render.wav") };
    double tempo = 120.0;
    double sampleRate = 48000.0;
    int blockSize = 512;
    double signalSeconds = 4.0;
    double tailSeconds = 2.0;
    std::optional<unsigned int> seed; // seeds std::rand right before the first block
    bool floatOutput = false;         // 32-bit float samples instead of 24-bit integers
    bool listParameters = false;
    bool showHelp = false;
    std::vector<std::pair<juce::String, juce::String>> settings; // identifier, value text
};

// Parses the command line; on failure returns nothing and sets error to a one-line message.
std::optional<RenderOptions> parseRenderOptions (const juce::StringArray& arguments, juce::String& error);

juce::String renderUsage();
} // namespace warbloom::render
