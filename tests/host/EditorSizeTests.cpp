#include "hosting/HostedView.h"
#include "support/LoadBuiltWarbloom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

namespace juce
{
// How gtest shows a size that differs.
inline void PrintTo (const Rectangle<int>& r, std::ostream* os)
{
    *os << r.getWidth() << " x " << r.getHeight();
}
} // namespace juce

namespace
{
using warbloom::hosting::HostedPlugin;
using warbloom::hosting::HostedView;
using Size = juce::Rectangle<int>;

void runMessages (int milliseconds = 300)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
}

// Runs messages until the plug-in and the host have stopped resizing each other: a quarter of a
// second without a request or a change of either size, or 5 s at most. A slow build takes longer
// over each step of the exchange than a fixed wait would allow.
void runMessagesUntilSettled (HostedView& view)
{
    const auto exchange = [&view]
    { return std::tuple (view.resizeRequests().size(), view.windowSize(), view.viewSize()); };

    auto last = exchange();

    for (int quiet = 0, waited = 0; quiet < 250 && waited < 5000; waited += 50)
    {
        runMessages (50);
        const auto now = exchange();
        quiet = now == last ? quiet + 50 : 0;
        last = now;
    }
}

Steinberg::Vst::IComponent& componentOf (HostedPlugin& plugin)
{
    return *warbloom::hosting::hostedComponent (plugin);
}

// The plug-in's own block, at the start of what the component gives a host saving its session.
std::unique_ptr<juce::XmlElement> savedBlock (HostedPlugin& plugin)
{
    Steinberg::MemoryStream stream;
    componentOf (plugin).getState (&stream);
    return juce::AudioProcessor::getXmlFromBinary (stream.getData(), (int) stream.getSize());
}

Size savedSize (HostedPlugin& plugin)
{
    const auto block = savedBlock (plugin);
    const auto* preset = block != nullptr ? block->getFirstChildElement() : nullptr;
    return preset != nullptr ? Size (preset->getIntAttribute ("GUI_W:"), preset->getIntAttribute ("GUI_H:")) : Size();
}

// A session reopened with this editor size: the host hands the component its stored block.
void restoreSize (HostedPlugin& plugin, Size size)
{
    auto block = savedBlock (plugin);
    ASSERT_NE (block, nullptr);
    auto* preset = block->getFirstChildElement();
    ASSERT_NE (preset, nullptr);
    preset->setAttribute ("GUI_W:", (double) size.getWidth());
    preset->setAttribute ("GUI_H:", (double) size.getHeight());

    juce::MemoryBlock bytes;
    juce::AudioProcessor::copyXmlToBinary (*block, bytes);
    Steinberg::MemoryStream stream (bytes.getData(), (Steinberg::TSize) bytes.getSize());
    EXPECT_EQ (componentOf (plugin).setState (&stream), Steinberg::kResultTrue);
}

// Between 1x and 2x the design, and the height within a pixel of width x 385 / 748.
::testing::AssertionResult keepsTheRatio (Size size)
{
    const auto w = size.getWidth();
    const auto h = size.getHeight();

    if (w >= 748 && w <= 1496 && h >= 385 && h <= 770 && std::abs (385 * w - 748 * h) < 748)
        return ::testing::AssertionSuccess();

    return ::testing::AssertionFailure() << size.toString() << " is off the ratio 748 : 385 or its limits";
}

// The editor view in a host's window; it paints once messages run.
std::unique_ptr<HostedView> showView (HostedPlugin& plugin)
{
    juce::String error;
    auto view = HostedView::create (plugin, error);
    EXPECT_NE (view, nullptr) << error;

    if (view != nullptr)
        view->show();

    return view;
}

struct SizeCase
{
    Size offered, settled;
};

// The nearest size at the ratio is the largest that fits the offered box within the limits.
const SizeCase restoredSizes[] = {
    { { 748, 770 }, { 748, 385 } },
    { { 1496, 385 }, { 748, 385 } },
};

const SizeCase hostWindowSizes[] = {
    { { 1200, 466 }, { 906, 466 } },
    { { 1300, 586 }, { 1139, 586 } },
    { { 1000, 700 }, { 1000, 515 } },
    { { 3000, 700 }, { 1360, 700 } },
    { { 300, 300 }, { 748, 385 } },
};

// The plug-in asks the host for one offered size no more often than this, however often it comes.
constexpr size_t maxRequestsPerOffer = 32;

// Drags of the host window's border, as Ardour's window under openbox gives them: each size of the
// pointer (as the window's plug-in area) set unchecked, and offered again after each request the
// host followed, up to reoffers times. A size listed twice in a row is offered again once the
// exchange is quiet, as when the drag ends.
struct BorderDrag
{
    const char* what;
    int reoffers;
    std::vector<Size> pointer;
};

const BorderDrag borderDrags[] = {
    { "Ardour's window set to 1300 x 620 twice", 2, { { 1300, 586 }, { 1300, 586 } } },
    { "Ardour's grip dragged to 1148 x 719 and released", 2, { { 1148, 685 }, { 1148, 685 } } },
    { "a drag through four sizes", 1, { { 900, 500 }, { 1020, 560 }, { 1100, 700 }, { 1148, 685 } } },
    { "the same size three times more, each after one on the ratio", 2, { { 748, 385 }, { 1300, 586 }, { 1300, 586 }, { 748, 385 }, { 1300, 586 }, { 1300, 586 }, { 748, 385 }, { 1300, 586 }, { 1300, 586 } } },
    { "the pointer's size offered ten times at one point", 9, { { 1200, 700 } } },
};

// Runs the exchange out and gives the requests it took from before on, having checked that no more
// come.
size_t requestsUntilTheExchangeEnds (HostedView& view, size_t before)
{
    runMessagesUntilSettled (view);
    const auto asks = view.resizeRequests().size() - before;
    runMessages (500);
    EXPECT_EQ (view.resizeRequests().size() - before, asks) << "the plug-in and the host settle";
    return asks;
}
} // namespace

// An instance whose editor view has opened in a host's window and painted at the default size.
class HostWindowSize : public ::testing::Test
{
protected:
    void SetUp() override
    {
        plugin = loadWarbloom();
        ASSERT_NE (plugin, nullptr);
        view = showView (*plugin);
        ASSERT_NE (view, nullptr);
        runMessages();
        ASSERT_EQ (view->viewSize(), Size (748, 385));
    }

    std::unique_ptr<HostedPlugin> plugin;
    std::unique_ptr<HostedView> view;
};

TEST (EditorSize, ARestoredSizeOffTheRatioOpensAtTheNearestSizeOnIt)
{
    for (const auto& [offered, settled] : restoredSizes)
    {
        for (const auto viewOpenFirst : { false, true })
        {
            SCOPED_TRACE (offered.toString() + (viewOpenFirst ? ", restored with the view open" : ", restored before the view opens"));
            auto plugin = loadWarbloom();
            ASSERT_NE (plugin, nullptr);

            if (! viewOpenFirst)
                restoreSize (*plugin, offered);

            auto view = showView (*plugin);
            ASSERT_NE (view, nullptr);

            // Before the editor's first paint a restored state still sizes it.
            if (viewOpenFirst)
                restoreSize (*plugin, offered);

            runMessages();
            EXPECT_EQ (view->viewSize(), settled);
            EXPECT_EQ (view->windowSize(), settled);
            EXPECT_EQ (savedSize (*plugin), settled);
        }
    }
}

TEST_F (HostWindowSize, AWindowSetOffTheRatioIsAskedToTakeTheNearestSizeOnIt)
{
    for (const auto& [offered, settled] : hostWindowSizes)
    {
        SCOPED_TRACE (offered.toString());
        EXPECT_EQ (view->checkedSize (offered.getWidth(), offered.getHeight()), settled) << "the host's size check";

        // Set without a check, as a drag of the host's window border does.
        const auto asked = view->resizeRequests().size();
        view->resizeWindow (offered.getWidth(), offered.getHeight());
        runMessages();

        EXPECT_EQ (view->viewSize(), settled);
        ASSERT_EQ (view->resizeRequests().size(), asked + 1) << "the plug-in asks the host once for its size";
        EXPECT_EQ (view->resizeRequests().back(), settled);
        EXPECT_EQ (view->windowSize(), settled);
        EXPECT_EQ (savedSize (*plugin), settled);
    }

    // A host that checks first and sets the answer gets exactly that size, with nothing to ask.
    for (const auto& row : hostWindowSizes)
    {
        const auto answer = view->checkedSize (row.offered.getWidth(), row.offered.getHeight());
        EXPECT_TRUE (keepsTheRatio (answer));
        const auto asked = view->resizeRequests().size();
        view->resizeWindow (answer.getWidth(), answer.getHeight());
        runMessages (100);
        EXPECT_EQ (view->viewSize(), answer);
        EXPECT_EQ (view->resizeRequests().size(), asked) << answer.toString();
    }
}

TEST_F (HostWindowSize, AHostThatKeepsItsWindowOffTheRatioIsNotAskedForEver)
{
    // The second host answers each request later and a pixel narrower, a size on the ratio, before it
    // puts its own size back.
    const struct
    {
        Size kept, editor;
        int narrower;
    } hosts[] = {
        { { 1200, 466 }, { 906, 466 }, 0 },
        { { 1300, 586 }, { 1139, 586 }, 1 },
    };

    for (const auto& host : hosts)
    {
        SCOPED_TRACE (host.kept.toString());

        // Not counting the request JUCE's view makes when the view opens.
        const auto before = view->resizeRequests().size();
        view->answerRequestsLaterNarrowerBy (host.narrower);
        view->keepWindowAt (host.kept);
        view->resizeWindow (host.kept.getWidth(), host.kept.getHeight());

        const auto asks = requestsUntilTheExchangeEnds (*view, before);
        EXPECT_GE (asks, 1u);
        EXPECT_LE (asks, maxRequestsPerOffer);
        EXPECT_EQ (view->windowSize(), host.kept);
        EXPECT_EQ (view->viewSize(), host.editor) << "the editor keeps the ratio inside the host's window";
        EXPECT_EQ (savedSize (*plugin), host.editor);
    }
}

TEST_F (HostWindowSize, AfterADragOfTheHostWindowsBorderTheWindowFitsTheEditor)
{
    for (const auto& drag : borderDrags)
    {
        SCOPED_TRACE (drag.what);
        view->reofferPointerSizeAfterFollowing (drag.reoffers);

        for (const auto& pointer : drag.pointer)
        {
            view->resizeWindow (pointer.getWidth(), pointer.getHeight());
            runMessagesUntilSettled (*view);
        }

        const auto settled = view->checkedSize (drag.pointer.back().getWidth(), drag.pointer.back().getHeight());
        EXPECT_TRUE (keepsTheRatio (view->viewSize()));
        EXPECT_EQ (view->viewSize(), settled);
        EXPECT_EQ (view->windowSize(), settled) << "no band beside the editor";
        EXPECT_EQ (savedSize (*plugin), settled);
    }
}

TEST_F (HostWindowSize, AWindowManagerThatOffersThePointersSizeAfterEveryFollowIsNotAskedForEver)
{
    const auto before = view->resizeRequests().size();
    view->reofferPointerSizeAfterFollowing (std::numeric_limits<int>::max());
    view->resizeWindow (1300, 586);

    const auto asks = requestsUntilTheExchangeEnds (*view, before);
    EXPECT_GE (asks, 2u);
    EXPECT_LE (asks, maxRequestsPerOffer);
    EXPECT_EQ (view->viewSize(), Size (1139, 586)) << "the editor keeps the ratio inside the host's window";
}
