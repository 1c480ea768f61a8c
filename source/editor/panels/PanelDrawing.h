#pragma once

#include "editor/ReferenceLayout.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <initializer_list>

// Drawing steps that the tone and echo panels share, all scaled from their reference size.

// The panel's rounded face and its border.
void paintPanelFace (juce::Graphics& g, const ReferenceLayout& layout, const juce::Component& panel);

// A section title in the header font, left-aligned in a box from x to the panel's right edge.
void drawSectionTitle (juce::Graphics& g, const ReferenceLayout& layout, const juce::Component& panel, const juce::String& title, float x);

// Filled rules in the current colour.
void fillRules (juce::Graphics& g, const ReferenceLayout& layout, const juce::Component& panel, std::initializer_list<DesignRect> rules);

struct PanelCaption
{
    const char* text;
    DesignRect box;
};

// One-line captions in the header font at the given design height, each in a truncated box.
void drawCaptions (juce::Graphics& g,
                   const ReferenceLayout& layout,
                   const juce::Component& panel,
                   float fontHeight,
                   std::initializer_list<PanelCaption> captions);
