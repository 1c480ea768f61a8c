#pragma once

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <vector>

// Where each child of a component lies at its reference size and at twice that size. The doubled
// values are listed on their own: truncation against rounded divisors does not simply double.
struct Placement
{
    const char* what;
    juce::Rectangle<int> atReference, doubled;
};

inline std::vector<juce::Component*> childrenOf (juce::Component& parent)
{
    std::vector<juce::Component*> children;
    for (auto* child : parent.getChildren())
        children.push_back (child);
    return children;
}

// Gives the parent its reference size and then twice that, checking every child at both.
inline void expectPlacements (juce::Component& parent,
                              const std::vector<juce::Component*>& children,
                              const std::vector<Placement>& table,
                              int referenceWidth,
                              int referenceHeight)
{
    ASSERT_EQ (children.size(), table.size());

    for (const auto scale : { 1, 2 })
    {
        parent.setSize (referenceWidth * scale, referenceHeight * scale);
        for (size_t i = 0; i < table.size(); ++i)
            EXPECT_EQ (children[i]->getBounds(), scale == 1 ? table[i].atReference : table[i].doubled) << table[i].what << " at scale " << scale;
    }
}
