#pragma once

#include "editor/ReferenceLayout.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

// The information overlay: it darkens the whole editor and shows a centred box with the product,
// version, credits and the maker's link. The editor shows it from the title; a click outside the
// box hides it again. Its content never depends on the plug-in's state.
class AboutPanel : public juce::Component
{
public:
    AboutPanel();
    ~AboutPanel() override;

    void mouseUp (const juce::MouseEvent& e) override;
    void paint (juce::Graphics& g) override;
    void resized() override;

    // The box, in the panel's own coordinates.
    juce::Rectangle<int> boxBounds() const;

    static constexpr ReferenceLayout layout { 748.0f, 385.0f };

private:
    std::unique_ptr<juce::HyperlinkButton> link;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AboutPanel)
};
