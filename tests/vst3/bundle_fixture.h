// Loads the built bundle through the test host, as a DAW would.
#pragma once

#include "module_loader.h"
#include "plugin_instance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#ifndef TALUMA_BUNDLE_PATH
#error "TALUMA_BUNDLE_PATH must name the built TALUMA_W.vst3 bundle"
#endif

namespace taluma::test {

inline std::unique_ptr<testhost::Module> loadBundle() {
    std::string error;
    auto module = testhost::Module::load(TALUMA_BUNDLE_PATH, error);
    EXPECT_TRUE(module) << error;
    return module;
}

inline bool allFinite(const std::vector<float>& samples) {
    for (float v : samples)
        if (!std::isfinite(v))
            return false;
    return true;
}

class BundleFixture : public ::testing::Test {
protected:
    void SetUp() override {
        module = loadBundle();
        ASSERT_TRUE(module);
        std::string error;
        plugin = testhost::PluginInstance::create(*module, error);
        ASSERT_TRUE(plugin) << error;
    }
    void TearDown() override {
        plugin.reset();
        module.reset();
    }
    // Renders `n` samples into `left` and `right`, checking both stay finite.
    void render(int32_t n) {
        left.assign(size_t(n > 0 ? n : 1), 0.0f);
        right.assign(size_t(n > 0 ? n : 1), 0.0f);
        ASSERT_EQ(plugin->process(n, left.data(), right.data()), Steinberg::kResultOk);
        ASSERT_TRUE(allFinite(left) && allFinite(right)) << "block of " << n;
    }

    std::unique_ptr<testhost::Module> module;
    std::unique_ptr<testhost::PluginInstance> plugin;
    std::vector<float> left, right;
};

}  // namespace taluma::test
