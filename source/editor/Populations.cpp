#include "Populations.h"

#include <initializer_list>

namespace
{
void fill (juce::ComboBox& box, std::initializer_list<const char*> texts)
{
    box.clear (juce::dontSendNotification);

    int id = 1;
    for (const auto* text : texts)
        box.addItem (text, id++);
}
} // namespace

namespace Populations
{
void populateEchoRateComboBox (juce::ComboBox& box)
{
    fill (box, { "1b", ".1/2", "1/2", "1/2T", ".1/4", "1/4", "1/4T", ".1/8", "1/8", "1/8T", ".1/16", "1/16", "1/16T", ".1/32", "1/32", "1/32T", ".1/64", "1/64" });
}

void populateSeqRateComboBox (juce::ComboBox& box)
{
    fill (box, { "16b", "12b", "8b", "6b", "4b", "3b", "2b", "1.5b", "1b", "1/2b" });
}

void populateBendRateComboBox (juce::ComboBox& box)
{
    fill (box, { "4b", "3b", "2b", "1.5b", "1b", ".1/2", "1/2", "1/2T", ".1/4", "1/4", "1/4T", ".1/8", "1/8", "1/8T", ".1/16", "1/16", "1/16T" });
}
} // namespace Populations
