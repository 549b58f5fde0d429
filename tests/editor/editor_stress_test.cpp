// The window opened and closed a hundred times while the processor renders on its own
// thread, with gestures, refresh ticks and state saves and loads in between; and state
// loads from a host worker thread while the window ticks. Run under ThreadSanitizer
// (label tsan) for races and under AddressSanitizer for leaks and bad accesses.
#include "editor_fixture.h"

#include "engine_event.h"

#include <atomic>
#include <thread>

namespace taluma {
namespace test {
namespace {

namespace global = cmd::global;

class EditorStress : public BundleFixture {
protected:
    void SetUp() override {
        BundleFixture::SetUp();
        ASSERT_TRUE(plugin->start(48000.0, 128));
        audio = std::thread([this] {
            std::vector<float> l(128), r(128);
            for (int block = 0; !stop.load(); ++block) {
                if (block % 16 == 0)
                    plugin->noteOn(0, Steinberg::int16(48 + block / 16 % 24), 0.8f);
                if (block % 8 == 0)
                    plugin->parameterChange(eventid::kVolume, 0, (block / 8 % 128) / 127.0);
                plugin->process(128, l.data(), r.data());
                ++blocks;
            }
        });
    }
    void TearDown() override {
        stop.store(true);
        if (audio.joinable())
            audio.join();
        BundleFixture::TearDown();
    }
    std::unique_ptr<testhost::OffscreenEditor> open() {
        std::string error;
        auto editor = testhost::OffscreenEditor::open(plugin->controller(), error);
        EXPECT_TRUE(editor) << error;
        return editor;
    }

    std::thread audio;
    std::atomic<bool> stop{false};
    std::atomic<int> blocks{0};
};

TEST_F(EditorStress, OpenAndCloseAHundredTimesWhileRendering) {
    std::vector<uint8_t> state;
    for (int i = 0; i < 100; ++i) {
        auto editor = open();
        ASSERT_TRUE(editor);
        editor->wheel(control(global::kVolume), 0, -1.0f);
        editor->clickView(control(cmd::control::kGeneratorTab));
        editor->type(field(cmd::generator::kCycles), 0, std::to_string(i % 8 + 1));
        editor->clickView(control(cmd::generator::kApplyA));
        editor->clickView(control(cmd::control::kLogicTab));
        editor->wheel(control(cmd::opValue::kLfoFreq), 0, 1.0f);
        editor->choose(control(global::kVoiceCount), 0, i % 8);
        editor->tick(70);
        if (i % 10 == 0) {
            ASSERT_TRUE(plugin->getState(state));
            ASSERT_EQ(plugin->setState(state), Steinberg::kResultOk);
        }
        int32_t w = 0, h = 0;
        editor->render(w, h);
    }
    EXPECT_GT(blocks.load(), 0);
    EXPECT_EQ(plugin->componentHandler().openGestures(), 0);
}

TEST_F(EditorStress, StateLoadsFromAWorkerThreadReachTheWindowAtItsNextTick) {
    auto editor = open();
    ASSERT_TRUE(editor);
    std::vector<uint8_t> state;
    ASSERT_TRUE(plugin->getState(state));
    std::atomic<bool> loading{true};
    std::thread worker([&] {
        for (int i = 0; i < 50; ++i)
            plugin->setState(state);
        loading.store(false);
    });
    while (loading.load())
        editor->tick(10);
    worker.join();
    editor->clickView(control(cmd::control::kGeneratorTab));  // shown from the loaded state
    editor->tick(70);
    EXPECT_EQ(editor->view(field(cmd::generator::kRangeEnd)).text, std::string("128"));
}

}  // namespace
}  // namespace test
}  // namespace taluma
