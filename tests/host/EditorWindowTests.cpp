#include "hosting/HostedPlugin.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace
{
using warbloom::hosting::HostedPlugin;

constexpr int designWidth = 748;
constexpr int designHeight = 385;

// Where the window's top left corner sits on the screen.
constexpr int windowOffset = 40;

constexpr juce::uint32 backgroundColour = 0xFFE2E6EB;

// A JUCE app installs a handler like this; a test binary is not one. Without a window manager some
// of the properties JUCE asks for do not exist, which the default handler would treat as fatal.
int ignoreXError (Display*, XErrorEvent*)
{
    return 0;
}

[[maybe_unused]] const auto defaultXErrorHandler = XSetErrorHandler (ignoreXError);

void pumpMessages (int milliseconds)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
}

// The plug-in's view in a real top-level window, as a DAW shows it.
class EditorWindow
{
public:
    explicit EditorWindow (juce::AudioProcessor& processor)
        : editor (processor.createEditorIfNeeded()),
          window ("Warbloom", juce::Colours::black, 0)
    {
        window.setUsingNativeTitleBar (true);
        window.setResizable (false, false);
        window.setContentNonOwned (editor.get(), true);
        window.setTopLeftPosition (windowOffset, windowOffset);
        window.setVisible (true);
        pumpMessages (400);
        waitOutFrameworkSplash();
    }

    ~EditorWindow()
    {
        window.clearContentComponent();
        editor.reset();
        pumpMessages (100);
    }

    juce::Rectangle<int> size() const { return editor->getLocalBounds(); }

    void resizeTo (int width, int height)
    {
        editor->setSize (width, height);
        pumpMessages (400);
    }

    // What the X server shows in the window: the host's frame and the plug-in's embedded view.
    juce::Image grab() const
    {
        auto* display = XOpenDisplay (nullptr);
        if (display == nullptr)
            return {};

        const auto id = (::Window) (juce::pointer_sized_uint) window.getWindowHandle();
        XWindowAttributes attributes {};
        XGetWindowAttributes (display, id, &attributes);
        auto* x = XGetImage (display, id, 0, 0, (unsigned) attributes.width, (unsigned) attributes.height, AllPlanes, ZPixmap);

        juce::Image image;
        if (x != nullptr)
        {
            image = juce::Image (juce::Image::RGB, attributes.width, attributes.height, false);
            for (int py = 0; py < attributes.height; ++py)
                for (int px = 0; px < attributes.width; ++px)
                    image.setPixelAt (px, py, juce::Colour ((juce::uint32) (XGetPixel (x, px, py) | 0xFF000000u)));
            XDestroyImage (x);
        }

        XCloseDisplay (display);
        return image;
    }

private:
    // JUCE lays its splash over the bottom right of the first editors a module opens and fades it
    // out a few seconds later; the pictures are taken once the plain background at (740, 330),
    // under the splash's logo, shows again.
    void waitOutFrameworkSplash() const
    {
        const auto scale = (float) size().getWidth() / (float) designWidth;
        const auto deadline = juce::Time::getMillisecondCounter() + 10000;

        while (juce::Time::getMillisecondCounter() < deadline)
        {
            const auto shot = grab();
            if (! shot.isValid() || shot.getPixelAt ((int) (740 * scale), (int) (330 * scale)).getARGB() == backgroundColour)
                return;
            pumpMessages (100);
        }
    }

    std::unique_ptr<juce::AudioProcessorEditor> editor;
    juce::DocumentWindow window;
};

// The X server only gives back what lies on the screen.
::testing::AssertionResult screenHoldsTheLargestWindow()
{
    const auto* display = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay();
    if (display == nullptr)
        return ::testing::AssertionFailure() << "no screen";

    const auto screen = display->totalArea;
    const auto needed = juce::Rectangle<int> (windowOffset + 2 * designWidth, windowOffset + 2 * designHeight);
    if (screen.getWidth() < needed.getWidth() || screen.getHeight() < needed.getHeight())
        return ::testing::AssertionFailure() << "the screen is " << screen.getWidth() << " x " << screen.getHeight() << ", the window needs "
                                             << needed.getWidth() << " x " << needed.getHeight()
                                             << " (run under xvfb-run -s \"-screen 0 1920x1080x24\")";

    return ::testing::AssertionSuccess();
}

std::unique_ptr<HostedPlugin> loadWarbloom()
{
    juce::String error;
    auto plugin = HostedPlugin::loadBuilt (48000.0, 512, error);
    EXPECT_NE (plugin, nullptr) << error;
    return plugin;
}

juce::File screenshotFile (const juce::String& name)
{
    return juce::File::getSpecialLocation (juce::File::currentExecutableFile).getSiblingFile (name);
}

// A failed grab has already failed the test; libpng would abort the whole binary on an empty image.
void save (const juce::Image& image, const juce::File& file)
{
    if (! image.isValid())
        return;

    file.deleteFile();
    juce::FileOutputStream stream (file);
    juce::PNGImageFormat().writeImageToStream (image, stream);
}

// Points of the design that show the background and a tone panel face; scaled with the window.
void expectPluginDrawn (const juce::Image& shot, float scale)
{
    ASSERT_TRUE (shot.isValid());
    const auto at = [&] (int x, int y)
    { return shot.getPixelAt ((int) ((float) x * scale), (int) ((float) y * scale)).getARGB(); };

    EXPECT_EQ (at (5, 200), backgroundColour) << "background";
    EXPECT_EQ (at (88, 101), 0xFFA9B3BFu) << "tone panel face";
    EXPECT_EQ (at (83, 296), 0xFFA9B3BFu) << "echo panel face";
    EXPECT_EQ (at (150, 333), 0xFFDE5247u) << "master panel bar";
}
} // namespace

TEST (EditorWindow, OpensResizesWithinItsLimitsAndReopensAtTheLastSize)
{
    ASSERT_TRUE (screenHoldsTheLargestWindow());
    auto plugin = loadWarbloom();
    ASSERT_NE (plugin, nullptr);
    auto& processor = plugin->processor();

    {
        EditorWindow window (processor);
        EXPECT_EQ (window.size(), juce::Rectangle<int> (designWidth, designHeight));
        expectPluginDrawn (window.grab(), 1.0f);

        window.resizeTo (2 * designWidth, 2 * designHeight);
        EXPECT_EQ (window.size(), juce::Rectangle<int> (2 * designWidth, 2 * designHeight));

        const auto doubled = window.grab();
        expectPluginDrawn (doubled, 2.0f);
        save (doubled, screenshotFile ("EditorWindow-2x.png"));

        // Beyond the limits, and off the ratio: the view's constraints bring it back.
        for (const auto& [width, height] : { std::pair { 3000, 700 }, std::pair { 300, 300 }, std::pair { 1000, 385 } })
        {
            window.resizeTo (width, height);
            const auto size = window.size();
            EXPECT_GE (size.getWidth(), designWidth) << width << " x " << height;
            EXPECT_LE (size.getWidth(), 2 * designWidth) << width << " x " << height;
            EXPECT_GE (size.getHeight(), designHeight) << width << " x " << height;
            EXPECT_LE (size.getHeight(), 2 * designHeight) << width << " x " << height;
            EXPECT_NEAR ((double) size.getWidth() / size.getHeight(), (double) designWidth / designHeight, 0.01) << width << " x " << height;
        }

        window.resizeTo (2 * designWidth, 2 * designHeight);
        ASSERT_EQ (window.size(), juce::Rectangle<int> (2 * designWidth, 2 * designHeight));
    }

    EditorWindow reopened (processor);
    EXPECT_EQ (reopened.size(), juce::Rectangle<int> (2 * designWidth, 2 * designHeight));
    expectPluginDrawn (reopened.grab(), 2.0f);
}

TEST (EditorWindow, OpensAtTheSizeAHostStateCarries)
{
    ASSERT_TRUE (screenHoldsTheLargestWindow());
    juce::MemoryBlock state;

    {
        auto plugin = loadWarbloom();
        ASSERT_NE (plugin, nullptr);
        EditorWindow window (plugin->processor());
        window.resizeTo (2 * designWidth, 2 * designHeight);
        plugin->processor().getStateInformation (state);
    }

    auto plugin = loadWarbloom();
    ASSERT_NE (plugin, nullptr);
    plugin->processor().setStateInformation (state.getData(), (int) state.getSize());

    EditorWindow window (plugin->processor());
    EXPECT_EQ (window.size(), juce::Rectangle<int> (2 * designWidth, 2 * designHeight));

    const auto shot = window.grab();
    expectPluginDrawn (shot, 2.0f);
    save (shot, screenshotFile ("EditorWindow-restored.png"));
}
