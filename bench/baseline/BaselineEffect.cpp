#include "support/BareProcessor.h"

// The scan bench's baseline: the least a JUCE effect on the same JUCE can be, stereo in and out,
// with no parameters and no editor, leaving the audio as it comes.
namespace
{
class BaselineEffect : public BareProcessor
{
public:
    BaselineEffect()
        : BareProcessor (BusesProperties()
                             .withInput ("Input", juce::AudioChannelSet::stereo())
                             .withOutput ("Output", juce::AudioChannelSet::stereo())) {}
};
} // namespace

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new BaselineEffect();
}
