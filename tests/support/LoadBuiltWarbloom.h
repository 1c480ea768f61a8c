#pragma once

#include "hosting/HostedPlugin.h"

#include <gtest/gtest.h>

// The built bundle at 48 kHz with 512-sample blocks; a load failure fails the calling test.
inline std::unique_ptr<warbloom::hosting::HostedPlugin> loadWarbloom()
{
    juce::String error;
    auto plugin = warbloom::hosting::HostedPlugin::loadBuilt (48000.0, 512, error);
    EXPECT_NE (plugin, nullptr) << error;
    return plugin;
}
