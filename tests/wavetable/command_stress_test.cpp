// The editor's thread hammers commands and file requests at the processor while the
// audio thread renders notes. Run under ThreadSanitizer: no data race may show, and
// the output and the wave arrays must stay sound.
#include "processor_fixture.h"
#include "synth_fixture.h"

#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <atomic>
#include <cmath>
#include <random>
#include <thread>

namespace taluma::test {
namespace {

// Every command the editor can send, one tag per kind (and both tables).
const int32_t kTags[] = {
    0x1008, 0x1009, 0x100A, 0x100B, 0x100C, 0x1040, 0x2007, 0x3001, 0x3002, 0x3003, 0x3004, 0x3005,
    0x3006, 0x3007, 0x3008, 0x3009, 0x300A, 0x300B, 0x400C, 0x400D, 0x400E, 0x3100, 0x311F, 0x417F,
    0x4140, 0x3180, 0x3802, 0x3803, 0x4803, 0x3804, 0x3810, 0x4810, 0x3820, 0x4830, 0x3840, 0x3850,
    0x4850, 0x5003, 0x5013, 0x5022, 0x5080, 0x6001, 0x6002, 0x6006, 0x6007, 0x6008, 0x6009, 0x600A,
    0x600B, 0x600C, 0x600D, 0x600E, 0x600F, 0x6010, 0x6011, 0x6040, 0x7003, 0x700D, 0x7010,
};

class CommandStressTest : public ProcessorFixture {
protected:
    tresult deliver(const char* id, int64 tag, double value, const std::string* path) {
        IMessage* m = new HostMessage();
        m->setMessageID(id);
        m->getAttributes()->setInt("tag", tag);
        if (path)
            m->getAttributes()->setBinary("path", path->c_str(), uint32(path->size() + 1));
        else
            m->getAttributes()->setFloat("val", value);
        const tresult result = processor->notify(m);
        m->release();
        return result;
    }
    ScratchDir dir;
};

TEST_F(CommandStressTest, CommandsAndFilesWhileNotesRender) {
    start(44100.0, 256);
    std::atomic<bool> done{false};
    std::atomic<int> blocks{0};
    std::atomic<bool> sound{true};
    std::atomic<bool> heard{false};

    std::thread audio([&] {
        std::mt19937 rng(7);
        while (!done.load()) {
            const int16 key = int16(36 + rng() % 48);
            if (rng() % 3 == 0)
                noteOn(int32(rng() % 256), key, 0.9f);
            if (rng() % 4 == 0)
                noteOff(int32(rng() % 256), key);
            if (run(256) != kResultOk)
                sound = false;
            for (size_t i = 0; i < left.size(); ++i) {
                if (!std::isfinite(left[i]) || !std::isfinite(right[i]) ||
                    std::fabs(left[i]) > 64.0f)
                    sound = false;
                if (left[i] != 0.0f)
                    heard = true;
            }
            blocks.fetch_add(1);
        }
    });

    std::mt19937 rng(11);
    std::uniform_real_distribution<double> norm(0.0, 1.0);
    const std::string files[] = {dir.file("t.txt"), dir.file("w.wav"), dir.file("p.tlmprst")};
    const int32_t fileCodes[] = {0x9000, 0x9001, 0xA000, 0xA001, 0xB000,
                                 0x5000, 0x5001, 0x6000, 0x6001, 0x7001};
    const int commands = 1500;
    for (int n = 0; n < commands; ++n) {
        const int32_t tag = kTags[rng() % (sizeof(kTags) / sizeof(kTags[0]))];
        double value = norm(rng);
        if ((tag & 0xF100) == 0x3100 || (tag & 0xF100) == 0x4100)
            value = 1.0 + double(rng() % 256);
        if ((tag & 0xF000) == 0x5000 || tag == 0x6040 || tag >= 0x700D)
            value = double(rng() % 300);
        if (rng() % 50 == 0)
            value = std::nan("");
        deliver("GUIEditor:valueChange", tag, value, nullptr);
        if (n % 25 == 0) {
            const int32_t code = fileCodes[rng() % (sizeof(fileCodes) / sizeof(fileCodes[0]))];
            deliver("GUIEditor:fileSelect", code, 0.0, &files[(code & 0x3000) == 0x2000 ? 1 : 0]);
        }
        if (n % 300 == 0)
            deliver("GUIEditor:fileSelect", 0x20000, 0.0, &files[2]);
        if (n % 300 == 150)
            deliver("GUIEditor:fileSelect", 0x10000, 0.0, &files[2]);
        // Let the audio thread in between the bursts.
        if (n % 100 == 0)
            std::this_thread::yield();
    }
    // The renderer kept going all the while.
    const int rendered = blocks.load();
    EXPECT_GT(rendered, 0);
    while (blocks.load() < rendered + 4)
        std::this_thread::yield();
    done = true;
    audio.join();

    EXPECT_TRUE(sound.load());
    EXPECT_TRUE(heard.load());
    EXPECT_GT(blocks.load(), 4);
    const WaveStore& store = *synth->waveStore;
    for (int op = 0; op < 2; ++op) {
        const int log2 = store.log2Size(op);
        EXPECT_EQ(synth->engine->waveLog2Size[op], log2);
        EXPECT_EQ(synth->engine->waveIndexMask[op], (store.size(op) - 1) << (7 - log2));
        for (int i = store.size(op); i < kTableCells; ++i)
            ASSERT_EQ(store.cell(op, i), 0) << op << " " << i;
        for (int k = 0; k < store.size(op); ++k)
            ASSERT_EQ(synth->engine->waveLog[op][k << (7 - log2)].load(),
                      store.sampleToWave(store.cell(op, k)));
    }
}

}  // namespace
}  // namespace taluma::test
