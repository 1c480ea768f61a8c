#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// JUCE's splash overlay. The framework lays it over the editors that a process opens until 2 s
// after it first paints, then fades it out; pictures of an editor only repeat once that time has
// passed, so the editor tests and the snapshot tool wait it out before they make any editor.
namespace FrameworkSplash
{
// The splash that JUCE laid over the component, or nullptr.
juce::Component* over (juce::Component& editor);

// Opens an editor, paints its splash and runs the message loop until the splash fades; no editor
// that this process makes afterwards gets one. False when the editor had no splash or it did not
// fade within 10 s.
bool waitOut();
} // namespace FrameworkSplash
