// The window opened and closed a hundred times while the processor renders on its own
// thread, with gestures, refresh ticks and state saves and loads in between; and state
// loads from a host worker thread while the window ticks. Run under ThreadSanitizer
// (label tsan) for races and under AddressSanitizer for leaks and bad accesses.
#include "editor_fixture.h"

#include "engine/engine_event.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace taluma::test {
namespace {

namespace M = layout::menubar;
namespace G = layout::wavegen;

class EditorStress : public EditorFixture {
protected:
    // Blocks at about a host's pace, so that the window's thread is not starved.
    void SetUp() override {
        EditorFixture::SetUp();
        ASSERT_TRUE(plugin->start(48000.0, 128));
        audio = std::thread([this] {
            std::vector<float> l(128), r(128);
            for (int block = 0; !stop; ++block) {
                const auto key = Steinberg::int16(48 + block / 16 % 24);
                if (block % 16 == 0)
                    plugin->noteOn(0, key, 0.8f);
                if (block % 16 == 12)
                    plugin->noteOff(0, key);
                if (block % 8 == 0)
                    plugin->parameterChange(eventid::kVolume, 0, (block / 8 % 128) / 127.0);
                plugin->process(128, l.data(), r.data());
                ++blocks;
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
    }
    void TearDown() override {
        stop = true;
        if (audio.joinable())
            audio.join();
        EditorFixture::TearDown();
    }
    std::thread audio;
    std::atomic<bool> stop{false};
    std::atomic<int> blocks{0};
};

TEST_F(EditorStress, OpenAndCloseAHundredTimesWhileRendering) {
    // A second instrument's window stays open, as in a session: the bitmaps each new
    // window shares with it are decoded once, and the cycles spend their time on the rest.
    std::string error;
    auto other = testhost::PluginInstance::create(*module, error);
    ASSERT_TRUE(other) << error;
    Steinberg::IPlugView* otherWindow = other->controller()->createView("editor");
    static int parent = 0;
    ASSERT_EQ(otherWindow->attached(&parent, kPlatformTypeOffscreen), Steinberg::kResultTrue);
    std::vector<uint8_t> state;
    for (int i = 0; i < 100; ++i) {
        openEditor();
        wheel(bar(M::volumeKnob), -1.0f);
        click(layout::window::tabRight);
        type(page(G::cyclesField, G::cyclesPanel), std::to_string(i % 8 + 1));
        click(page(G::applyButton[0]));
        click(layout::window::tabLeft);
        wheel(page(layout::logic::lfoFreqKnob), 1.0f);
        choose(bar(M::voiceMenu), i % 8);
        tick(70);
        if (i % 10 == 0) {
            ASSERT_TRUE(plugin->getState(state));
            ASSERT_EQ(plugin->setState(state), Steinberg::kResultOk);
            int32_t w = 0, h = 0;
            probe->render(w, h);
        }
    }
    otherWindow->removed();
    otherWindow->release();
    EXPECT_GT(blocks, 0);
    EXPECT_EQ(plugin->componentHandler().openGestures(), 0);
}

TEST_F(EditorStress, StateLoadsFromAWorkerThreadReachTheWindowAtItsNextTick) {
    std::vector<uint8_t> state;
    ASSERT_TRUE(plugin->getState(state));
    std::atomic<bool> loading{true};
    std::thread worker([&] {
        for (int i = 0; i < 50; ++i)
            plugin->setState(state);
        loading = false;
    });
    while (loading)
        tick(10);
    worker.join();
    click(layout::window::tabRight);  // shown from the loaded state
    tick(70);
    EXPECT_EQ(text(page(G::rangeEndField)), "128");
}

}  // namespace
}  // namespace taluma::test
