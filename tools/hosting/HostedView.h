#pragma once

#include "hosting/HostedPlugin.h"

#include <juce_gui_extra/juce_gui_extra.h>

// The VST3 interfaces JUCE carries, with the warnings JUCE silences for them.
#define JUCE_VST3HEADERS_INCLUDE_HEADERS_ONLY 1
#include <juce_audio_processors/format_types/juce_VST3Headers.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace warbloom::hosting
{
// The VST3 component behind a hosted instance.
Steinberg::Vst::IComponent* hostedComponent (HostedPlugin& plugin);

// The plug-in's editor view driven the way a VST3 host drives it, without JUCE's hosting window in
// between: the view comes from an edit controller of our own, connected to the hosted component, and
// lives in a desktop window whose frame answers the plug-in's resize requests. Unlike JUCE's window,
// which always checks a size with the view before setting it, this host can set sizes unchecked.
class HostedView
{
public:
    // Null with an error when no view can be made. The view is made but not yet in a window.
    static std::unique_ptr<HostedView> create (HostedPlugin& plugin, juce::String& error);
    ~HostedView();

    // Puts the view in a window at the size it asks for; its editor paints once messages run.
    void show();

    // The size the view reports (IPlugView::getSize): its editor's size.
    juce::Rectangle<int> viewSize();

    // The size of the host's window around the view.
    juce::Rectangle<int> windowSize() const;

    // The view's answer to the host's size check (IPlugView::checkSizeConstraint).
    juce::Rectangle<int> checkedSize (int width, int height);

    // The host sizes its window and tells the view (IPlugView::onSize) without checking the size
    // first, as Ardour does while a user drags the window's border.
    void resizeWindow (int width, int height);

    // From now on the host confirms each size the plug-in asks for and then puts its window back to
    // this size, telling the view again, as a window manager that will not resize the window makes it.
    void keepWindowAt (juce::Rectangle<int> size);

    // From now on the host answers each request later, with a window this many pixels narrower, as
    // a host that resizes its window in its own time and rounds the size it is asked for does.
    void answerRequestsLaterNarrowerBy (int pixels);

    // From now on the host, once it has followed a request, offers the view the size it last set
    // unchecked once more, up to this many times for each such size, as a window manager does while
    // the pointer drags the window's border.
    void reofferPointerSizeAfterFollowing (int timesPerSize);

    // The sizes the plug-in asked the host for (IPlugFrame::resizeView), in order.
    const std::vector<juce::Rectangle<int>>& resizeRequests() const;

private:
    class Frame;
    class RunLoop;

    HostedView (void* module, Steinberg::IPluginFactory* factory, Steinberg::Vst::IEditController* controller, Steinberg::Vst::IConnectionPoint* componentConnection, Steinberg::IPlugView* view);

    void setWindowAndTellView (juce::Rectangle<int> size);

    // Runs the step from the message loop, as the host's own events do, unless the window is gone.
    void later (std::function<void()> step);
    Steinberg::tresult resizeRequested (juce::Rectangle<int> size);

    void* module;
    Steinberg::IPluginFactory* factory;
    Steinberg::Vst::IEditController* controller;
    Steinberg::Vst::IConnectionPoint* componentConnection;
    Steinberg::IPlugView* view;
    std::unique_ptr<Frame> frame;

    juce::XEmbedComponent embedded { true, false };
    juce::DocumentWindow window { "Warbloom view", juce::Colours::black, 0 };
    bool attached = false;

    std::optional<juce::Rectangle<int>> keptSize;
    int answerNarrowerBy = 0;
    int reoffersPerPointerSize = 0;
    int reoffersLeft = 0;
    std::optional<juce::Rectangle<int>> pointerSize;
    std::vector<juce::Rectangle<int>> requests;
};
} // namespace warbloom::hosting
