#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>
#include <vector>

// Something the snapshot tool can paint: a control with its look, or the whole editor.
struct Subject
{
    const char* name;
    // The 1x size; 0 x 0 takes the size the component gives itself when it is made.
    int width, height;
    std::function<std::unique_ptr<juce::Component>()> make;
};

const std::vector<Subject>& subjects();
