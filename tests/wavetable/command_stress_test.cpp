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
    global::kVolume,
    global::kReferencePitch,
    global::kRateDivider,
    global::kBitDepth,
    global::kVoiceCount,
    global::kPage,
    waveSwitch::kLinkAB,
    history::kUndo,
    history::kRedo,
    history::kStrokeBegin,
    history::kStrokeEnd,
    tableCommand(0, kEditButtons, button::kRotateLeft4),
    tableCommand(0, kEditButtons, button::kRotateLeft1),
    tableCommand(0, kEditButtons, button::kReverse),
    tableCommand(0, kEditButtons, button::kRotateRight1),
    tableCommand(0, kEditButtons, button::kRotateRight4),
    tableCommand(0, kEditButtons, button::kUp4),
    tableCommand(0, kEditButtons, button::kUp1),
    tableCommand(0, kEditButtons, button::kInvert),
    tableCommand(0, kEditButtons, button::kDown1),
    tableCommand(0, kEditButtons, button::kDown4),
    tableCommand(0, kEditButtons, button::kAmplify2),
    tableCommand(1, kEditButtons, button::kAmplify1_5),
    tableCommand(1, kEditButtons, button::kScale2_3),
    tableCommand(1, kEditButtons, button::kScaleHalf),
    drawCommand(0, 0),
    drawCommand(0, 31),
    drawCommand(1, 127),
    drawCommand(1, 64),
    drawCommand(0, 128),
    tableCommand(0, kTableMenu, menu::kClear),
    tableCommand(0, kTableMenu, menu::kCopy),
    tableCommand(1, kTableMenu, menu::kCopy),
    tableCommand(0, kTableMenu, menu::kExchange),
    tableCommand(0, kTableMenu, menu::kTableSize),
    tableCommand(1, kTableMenu, menu::kTableSize),
    tableCommand(0, kTableMenu, menu::kLoadSlot),
    tableCommand(1, kTableMenu, menu::kSaveSlot),
    tableCommand(0, kTableMenu, menu::kBitReduction),
    tableCommand(0, kTableMenu, menu::kSteps),
    tableCommand(1, kTableMenu, menu::kSteps),
    opValue::kLfoFreq,
    opValue::operatorParam(0, eventid::kTotalLevel),
    opValue::operatorParam(1, eventid::kTune),
    opValue::kAlgorithm,
    generator::kApplyA,
    generator::kApplyB,
    generator::kAmplitude,
    generator::kOffset,
    generator::kRangeEnd,
    generator::kRangeStart,
    generator::kCycles,
    generator::kPhase,
    generator::kHarmonicsOn,
    generator::kHarmonicsCount,
    generator::kNoiseLoop,
    generator::kInterpolation,
    generator::kNoisePoints,
    generator::kNoiseSeed,
    generator::kType,
    setting::kBendRange,
    setting::kWaveOpacity,
    setting::kSkin,
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
    const int32_t fileCodes[] = {
        file::exportTable(0, file::kText),   file::exportTable(1, file::kText),
        file::exportTable(0, file::kWav),    file::exportTable(1, file::kWav),
        file::exportTable(0, file::kByName), file::importTable(0, file::kText),
        file::importTable(1, file::kText),   file::importTable(0, file::kWav),
        file::importTable(1, file::kWav),    file::importTable(1, file::kByName)};
    const int commands = 1500;
    for (int n = 0; n < commands; ++n) {
        const int32_t tag = kTags[rng() % (sizeof(kTags) / sizeof(kTags[0]))];
        double value = norm(rng);
        if (subGroupOf(tag) == kDrawing && groupOf(tag) != kOpValues)
            value = 1.0 + double(rng() % 256);
        if (groupOf(tag) == kOpValues || tag == generator::kType || tag >= setting::kWaveOpacity)
            value = double(rng() % 300);
        if (rng() % 50 == 0)
            value = std::nan("");
        deliver("GUIEditor:valueChange", tag, value, nullptr);
        if (n % 25 == 0) {
            const int32_t code = fileCodes[rng() % (sizeof(fileCodes) / sizeof(fileCodes[0]))];
            deliver("GUIEditor:fileSelect", code, 0.0,
                    &files[(code & file::kFormatMask) == file::kWav ? 1 : 0]);
        }
        if (n % 300 == 0)
            deliver("GUIEditor:fileSelect", file::kExportPreset, 0.0, &files[2]);
        if (n % 300 == 150)
            deliver("GUIEditor:fileSelect", file::kImportPreset, 0.0, &files[2]);
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
    const WaveStore& store = synth->waves();
    for (int op = 0; op < 2; ++op) {
        const int log2 = store.log2Size(op);
        EXPECT_EQ(synth->engine().waveLog2Size[op], log2);
        EXPECT_EQ(synth->engine().waveIndexMask[op], (store.size(op) - 1) << (7 - log2));
        for (int i = store.size(op); i < kTableCells; ++i)
            ASSERT_EQ(store.cell(op, i), 0) << op << " " << i;
        for (int k = 0; k < store.size(op); ++k)
            ASSERT_EQ(synth->engine().waveLog[op][k << (7 - log2)].load(),
                      store.sampleToWave(store.cell(op, k)));
    }
}

}  // namespace
}  // namespace taluma::test
