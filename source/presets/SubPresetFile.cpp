#include "SubPresetFile.h"

#include "processor/ParameterRestore.h"

namespace
{
const char magic[] = { 'W', 'B', 'M', 'X' };

bool isHidden (int kind)
{
    return (kind & SubPresetKind::hiddenBit) != 0;
}

// Calls visit (parameter) for each entry up to the end marker; parameter is null for a
// placeholder and for an entry naming no parameter.
template <typename Visit>
void forEachEntry (const SubPresetST& group, juce::AudioProcessor& processor, Visit&& visit)
{
    for (const auto& entry : group.entries)
    {
        if (entry.kind == SubPresetKind::endOfList)
            return;

        if (entry.kind == SubPresetKind::placeholder)
        {
            visit (nullptr);
            continue;
        }

        if (auto* parameter = findParameter (processor, entry.parameterID); parameter != nullptr && ! isHidden (entry.kind))
            visit (parameter);
    }
}
} // namespace

namespace SubPresetFile
{
juce::MemoryBlock write (const SubPresetST& group, juce::AudioProcessor& processor)
{
    juce::MemoryOutputStream out;
    out.write (magic, sizeof (magic));

    forEachEntry (group, processor, [&out] (juce::AudioProcessorParameter* parameter)
                  { out.writeFloat (parameter != nullptr ? parameter->getValue() : 0.0f); });

    return out.getMemoryBlock();
}

void read (juce::InputStream& in, const SubPresetST& group, juce::AudioProcessor& processor)
{
    char header[sizeof (magic)];

    if (in.read (header, (int) sizeof (header)) != (int) sizeof (header) || std::memcmp (header, magic, sizeof (magic)) != 0)
        return;

    forEachEntry (group, processor, [&in] (juce::AudioProcessorParameter* parameter)
                  {
                      if (in.isExhausted())
                          return;

                      const auto value = in.readFloat();

                      if (parameter != nullptr)
                          restoreParameter (*parameter, value); });
}
} // namespace SubPresetFile
