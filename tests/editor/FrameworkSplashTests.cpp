#include "editor/support/FrameworkSplash.h"

#include <gtest/gtest.h>

namespace
{
// Runs once before every test of this binary: the first editor shows JUCE's splash, which then
// fades, and every editor the tests make afterwards is drawn without it.
class FrameworkSplashWaitedOut : public testing::Environment
{
public:
    void SetUp() override { EXPECT_TRUE (FrameworkSplash::waitOut()) << "JUCE's splash over the first editor, fading a few seconds later"; }
};

[[maybe_unused]] testing::Environment* const splashWaitedOut = testing::AddGlobalTestEnvironment (new FrameworkSplashWaitedOut);
} // namespace
