#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The rate lists of the editor's combo boxes. Item id k stands for parameter value k - 1, and
// the order matches the processor's beat tables. Each filler clears the box first, without a
// change notification, so filling twice leaves one copy and runs no onChange.
namespace Populations
{
void populateEchoRateComboBox (juce::ComboBox& box);
void populateSeqRateComboBox (juce::ComboBox& box);
void populateBendRateComboBox (juce::ComboBox& box);
} // namespace Populations
