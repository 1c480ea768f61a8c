#include "RenderOptions.h"

namespace warbloom::render
{
namespace
{
bool isNumber (const juce::String& text)
{
    const auto trimmed = text.trim();
    if (trimmed.isEmpty())
        return false;

    const auto* start = trimmed.toRawUTF8();
    char* end = nullptr;
    std::strtod (start, &end);
    return end != nullptr && *end == '\0';
}

std::optional<double> positiveNumber (const juce::String& text)
{
    if (! isNumber (text))
        return std::nullopt;

    const auto value = text.getDoubleValue();
    if (! std::isfinite (value) || value <= 0.0)
        return std::nullopt;

    return value;
}
} // namespace

juce::String renderUsage()
{
    return "usage: warbloom-render [--input in.wav] [--output out.wav] [--tempo bpm] [--sample-rate hz]\n"
           "                       [--block-size n] [--seconds s] [--tail s] [--set identifier=value ...]\n"
           "                       [--plugin bundle.vst3] [--seed n] [--float] [--list-parameters]\n"
           "Renders the input (or a built-in test signal of clicks and a chord) through the built\n"
           "Warbloom.vst3 (or the given bundle); values given with --set are in the parameter's own units.\n"
           "--seed calls srand(n) right before the first block, after the bundle has loaded, so that\n"
           "renders with Freakout repeat; --float writes 32-bit float samples, which hide no difference.";
}

std::optional<RenderOptions> parseRenderOptions (const juce::StringArray& arguments, juce::String& error)
{
    RenderOptions options;

    for (int i = 0; i < arguments.size(); ++i)
    {
        const auto& option = arguments[i];

        if (option == "--list-parameters")
        {
            options.listParameters = true;
            continue;
        }

        if (option == "--float")
        {
            options.floatOutput = true;
            continue;
        }

        if (option == "--help" || option == "-h")
        {
            options.showHelp = true;
            continue;
        }

        static const juce::StringArray withValue { "--input", "--output", "--tempo", "--sample-rate", "--block-size", "--seconds", "--tail", "--set", "--plugin", "--seed" };

        if (! withValue.contains (option))
        {
            error = "unknown option '" + option + "'";
            return std::nullopt;
        }

        if (i + 1 >= arguments.size())
        {
            error = option + " needs a value";
            return std::nullopt;
        }

        const auto value = arguments[++i];

        if (option == "--input")
        {
            options.input = juce::File::getCurrentWorkingDirectory().getChildFile (value);
            if (! options.input.existsAsFile())
            {
                error = "cannot read input file '" + value + "'";
                return std::nullopt;
            }
        }
        else if (option == "--plugin")
        {
            options.plugin = juce::File::getCurrentWorkingDirectory().getChildFile (value);
            if (! options.plugin.isDirectory())
            {
                error = "cannot find the bundle '" + value + "'";
                return std::nullopt;
            }
        }
        else if (option == "--seed")
        {
            const auto trimmed = value.trim();
            if (trimmed.isEmpty() || ! trimmed.containsOnly ("0123456789") || trimmed.getLargeIntValue() > std::numeric_limits<unsigned int>::max())
            {
                error = "--seed must be a whole number from 0 to " + juce::String (std::numeric_limits<unsigned int>::max()) + ", not '" + value + "'";
                return std::nullopt;
            }
            options.seed = static_cast<unsigned int> (trimmed.getLargeIntValue());
        }
        else if (option == "--output")
        {
            options.output = juce::File::getCurrentWorkingDirectory().getChildFile (value);
        }
        else if (option == "--set")
        {
            const auto identifier = value.upToFirstOccurrenceOf ("=", false, false).trim();
            const auto text = value.fromFirstOccurrenceOf ("=", false, false).trim();

            if (! value.contains ("=") || identifier.isEmpty() || text.isEmpty())
            {
                error = "--set takes identifier=value, not '" + value + "'";
                return std::nullopt;
            }

            options.settings.emplace_back (identifier, text);
        }
        else if (option == "--block-size")
        {
            const auto number = positiveNumber (value);
            if (! number || *number != std::floor (*number) || *number > 1 << 20)
            {
                error = "--block-size must be a whole number from 1 to 1048576, not '" + value + "'";
                return std::nullopt;
            }
            options.blockSize = static_cast<int> (*number);
        }
        else
        {
            const auto number = option == "--tail" && isNumber (value) && value.getDoubleValue() == 0.0 ? std::optional<double> (0.0)
                                                                                                        : positiveNumber (value);
            if (! number)
            {
                error = option + " must be a number above 0, not '" + value + "'";
                return std::nullopt;
            }

            if (option == "--tempo")
                options.tempo = *number;
            else if (option == "--sample-rate")
            {
                if (*number < 8000.0 || *number > 768000.0)
                {
                    error = "--sample-rate must be from 8000 to 768000 Hz, not '" + value + "'";
                    return std::nullopt;
                }
                options.sampleRate = *number;
            }
            else if (option == "--seconds")
                options.signalSeconds = *number;
            else
                options.tailSeconds = *number;
        }
    }

    return options;
}
} // namespace warbloom::render
