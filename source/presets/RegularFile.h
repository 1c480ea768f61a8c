#pragma once

#include <juce_core/juce_core.h>

// True when the path names a regular file or a symbolic link to one. A FIFO, socket or device
// listed or opened as a preset would block the message thread on the open or never end.
bool isRegularFile (const juce::String& path);
