#include "HostedView.h"

#include <dlfcn.h>

#include <functional>

#include <algorithm>
#include <list>
#include <map>
#include <utility>

namespace warbloom::hosting
{
using namespace Steinberg;

namespace
{
bool sameInterface (const TUID asked, const FUID& wanted)
{
    return FUnknownPrivate::iidEqual (asked, wanted.toTUID());
}

juce::File moduleBinary (const juce::File& bundle)
{
    const auto binaries = bundle.getChildFile ("Contents").findChildFiles (juce::File::findFiles, true, "*.so");
    return binaries.isEmpty() ? juce::File() : binaries.getFirst();
}
} // namespace

Vst::IComponent* hostedComponent (HostedPlugin& plugin)
{
    struct Visitor : juce::ExtensionsVisitor
    {
        void visitVST3Client (const VST3Client& client) override { component = client.getIComponentPtr(); }
        Vst::IComponent* component = nullptr;
    } visitor;

    plugin.processor().getExtensions (visitor);
    return visitor.component;
}

// Once the view is attached, the plug-in's JUCE runs its messages on the host's thread through
// these file-descriptor and timer callbacks.
class HostedView::RunLoop final : public Linux::IRunLoop
{
public:
    RunLoop() = default;

    ~RunLoop()
    {
        for (const auto& entry : handlersByFd)
            juce::LinuxEventLoop::unregisterFdCallback (entry.first);
    }

    tresult PLUGIN_API registerEventHandler (Linux::IEventHandler* handler, Linux::FileDescriptor fd) override
    {
        if (handler == nullptr)
            return kInvalidArgument;

        auto& handlers = handlersByFd[fd];

        if (handlers.empty())
            juce::LinuxEventLoop::registerFdCallback (fd, [this] (int ready)
                                                      {
                                                          // A handler may re-register its descriptors while it runs.
                                                          const auto current = handlersByFd[ready];
                                                          for (auto* h : current)
                                                              h->onFDIsSet (ready); });

        handlers.push_back (handler);
        return kResultTrue;
    }

    tresult PLUGIN_API unregisterEventHandler (Linux::IEventHandler* handler) override
    {
        for (auto entry = handlersByFd.begin(); entry != handlersByFd.end();)
        {
            auto& handlers = entry->second;
            handlers.erase (std::remove (handlers.begin(), handlers.end(), handler), handlers.end());

            if (handlers.empty())
            {
                juce::LinuxEventLoop::unregisterFdCallback (entry->first);
                entry = handlersByFd.erase (entry);
            }
            else
            {
                ++entry;
            }
        }

        return kResultTrue;
    }

    tresult PLUGIN_API registerTimer (Linux::ITimerHandler* handler, Linux::TimerInterval milliseconds) override
    {
        if (handler == nullptr || milliseconds == 0)
            return kInvalidArgument;

        timers.emplace_back (handler, (int) milliseconds);
        return kResultTrue;
    }

    tresult PLUGIN_API unregisterTimer (Linux::ITimerHandler* handler) override
    {
        timers.remove_if ([handler] (const TimerCall& timer)
                          { return timer.handler == handler; });
        return kResultTrue;
    }

    // Owned by the view's host, which outlives every use the plug-in makes of it.
    uint32 PLUGIN_API addRef() override { return 1; }
    uint32 PLUGIN_API release() override { return 1; }

    tresult PLUGIN_API queryInterface (const TUID, void** obj) override
    {
        *obj = nullptr;
        return kNoInterface;
    }

private:
    struct TimerCall : private juce::Timer
    {
        TimerCall (Linux::ITimerHandler* h, int interval)
            : handler (h)
        {
            startTimer (interval);
        }

        ~TimerCall() override { stopTimer(); }

        void timerCallback() override { handler->onTimer(); }

        Linux::ITimerHandler* handler;
    };

    std::map<Linux::FileDescriptor, std::vector<Linux::IEventHandler*>> handlersByFd;
    std::list<TimerCall> timers;
};

class HostedView::Frame final : public IPlugFrame
{
public:
    explicit Frame (HostedView& o)
        : owner (o)
    {
    }

    tresult PLUGIN_API resizeView (IPlugView* requester, ViewRect* size) override
    {
        if (requester != owner.view || size == nullptr)
            return kInvalidArgument;

        return owner.resizeRequested ({ size->getWidth(), size->getHeight() });
    }

    tresult PLUGIN_API queryInterface (const TUID asked, void** obj) override
    {
        if (sameInterface (asked, Linux::IRunLoop::iid))
        {
            *obj = &runLoop;
            return kResultTrue;
        }

        if (sameInterface (asked, IPlugFrame::iid) || sameInterface (asked, FUnknown::iid))
        {
            *obj = this;
            return kResultTrue;
        }

        *obj = nullptr;
        return kNoInterface;
    }

    uint32 PLUGIN_API addRef() override { return 1; }
    uint32 PLUGIN_API release() override { return 1; }

private:
    HostedView& owner;
    RunLoop runLoop;
};

std::unique_ptr<HostedView> HostedView::create (HostedPlugin& plugin, juce::String& error)
{
    auto* component = hostedComponent (plugin);
    const auto binary = moduleBinary (HostedPlugin::builtBundle());

    // JUCE's hosting has the module open already; this only finds it.
    auto* module = dlopen (binary.getFullPathName().toRawUTF8(), RTLD_NOW | RTLD_NOLOAD);

    if (component == nullptr || module == nullptr)
    {
        error = "the hosted component or its module is not there";
        return nullptr;
    }

    using GetFactory = IPluginFactory*(PLUGIN_API*) ();
    auto* getFactory = reinterpret_cast<GetFactory> (dlsym (module, "GetPluginFactory"));
    auto* factory = getFactory != nullptr ? getFactory() : nullptr;

    TUID controllerClass {};
    Vst::IEditController* controller = nullptr;

    if (factory == nullptr || component->getControllerClassId (controllerClass) != kResultTrue || factory->createInstance (controllerClass, Vst::IEditController::iid, (void**) &controller) != kResultOk || controller == nullptr)
    {
        error = "no edit controller could be made";
        if (factory != nullptr)
            factory->release();
        dlclose (module);
        return nullptr;
    }

    controller->initialize (nullptr);

    // Only the controller learns of the component: the hosted instance keeps its own pairing.
    Vst::IConnectionPoint* controllerConnection = nullptr;
    Vst::IConnectionPoint* componentConnection = nullptr;
    controller->queryInterface (Vst::IConnectionPoint::iid, (void**) &controllerConnection);
    component->queryInterface (Vst::IConnectionPoint::iid, (void**) &componentConnection);

    if (controllerConnection != nullptr && componentConnection != nullptr)
        controllerConnection->connect (componentConnection);

    if (controllerConnection != nullptr)
        controllerConnection->release();

    auto* view = controller->createView (Vst::ViewType::kEditor);

    if (view == nullptr)
        error = "the controller made no editor view";

    auto hosted = std::unique_ptr<HostedView> (new HostedView (module, factory, controller, componentConnection, view));
    return view != nullptr ? std::move (hosted) : nullptr;
}

HostedView::HostedView (void* m, IPluginFactory* f, Vst::IEditController* c, Vst::IConnectionPoint* cc, IPlugView* v)
    : module (m), factory (f), controller (c), componentConnection (cc), view (v), frame (std::make_unique<Frame> (*this))
{
    window.setUsingNativeTitleBar (true);
    window.setResizable (false, false);

    if (view != nullptr)
        view->setFrame (frame.get());
}

HostedView::~HostedView()
{
    if (view != nullptr)
    {
        if (attached)
            view->removed();

        view->setFrame (nullptr);
        view->release();
    }

    window.clearContentComponent();

    Vst::IConnectionPoint* controllerConnection = nullptr;
    controller->queryInterface (Vst::IConnectionPoint::iid, (void**) &controllerConnection);

    if (controllerConnection != nullptr && componentConnection != nullptr)
        controllerConnection->disconnect (componentConnection);

    for (auto* connection : { controllerConnection, componentConnection })
        if (connection != nullptr)
            connection->release();

    controller->terminate();
    controller->release();
    factory->release();
    dlclose (module);
}

void HostedView::show()
{
    embedded.setSize (viewSize().getWidth(), viewSize().getHeight());
    window.setContentNonOwned (&embedded, true);
    window.setTopLeftPosition (40, 40);
    window.setVisible (true);

    attached = view->attached ((void*) embedded.getHostWindowID(), kPlatformTypeX11EmbedWindowID) == kResultTrue;
}

juce::Rectangle<int> HostedView::viewSize()
{
    ViewRect size {};
    view->getSize (&size);
    return { size.getWidth(), size.getHeight() };
}

juce::Rectangle<int> HostedView::windowSize() const
{
    return embedded.getLocalBounds();
}

juce::Rectangle<int> HostedView::checkedSize (int width, int height)
{
    ViewRect size { 0, 0, width, height };
    view->checkSizeConstraint (&size);
    return { size.getWidth(), size.getHeight() };
}

void HostedView::resizeWindow (int width, int height)
{
    pointerSize = juce::Rectangle<int> (width, height);
    reoffersLeft = reoffersPerPointerSize;
    setWindowAndTellView ({ width, height });
}

void HostedView::keepWindowAt (juce::Rectangle<int> size)
{
    keptSize = size;
}

void HostedView::answerRequestsLaterNarrowerBy (int pixels)
{
    answerNarrowerBy = pixels;
}

void HostedView::reofferPointerSizeAfterFollowing (int timesPerSize)
{
    reoffersPerPointerSize = timesPerSize;
}

const std::vector<juce::Rectangle<int>>& HostedView::resizeRequests() const
{
    return requests;
}

void HostedView::setWindowAndTellView (juce::Rectangle<int> size)
{
    embedded.setSize (size.getWidth(), size.getHeight());
    embedded.updateEmbeddedBounds();

    ViewRect rect { 0, 0, size.getWidth(), size.getHeight() };
    view->onSize (&rect);
}

void HostedView::later (std::function<void()> step)
{
    juce::MessageManager::callAsync ([safe = juce::Component::SafePointer<juce::Component> (&embedded), step = std::move (step)]
                                     {
                                         if (safe != nullptr)
                                             step(); });
}

tresult HostedView::resizeRequested (juce::Rectangle<int> size)
{
    requests.push_back (size);

    // The host takes the size and confirms it to the view, as JUCE's own host does.
    if (answerNarrowerBy == 0)
        setWindowAndTellView (size);
    else
        later ([this, answer = size.withWidth (size.getWidth() - answerNarrowerBy)]
               { setWindowAndTellView (answer); });

    if (keptSize.has_value())
        later ([this, kept = *keptSize]
               { resizeWindow (kept.getWidth(), kept.getHeight()); });

    if (pointerSize.has_value() && reoffersLeft > 0)
    {
        --reoffersLeft;
        later ([this, pointer = *pointerSize]
               { setWindowAndTellView (pointer); });
    }

    return kResultTrue;
}
} // namespace warbloom::hosting
