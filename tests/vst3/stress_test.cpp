// Other threads at work while the audio thread plays: structural edits, state saves and
// loads, editor commands and file requests. Run under ThreadSanitizer in the tsan
// suite: no data race may show, the sound stays finite, and no state is torn or lost.
#include "synth/command_tags.h"
#include "vst3/messages.h"
#include "vst3/plugin_ids.h"
#include "scratch_files.h"
#include "processor_fixture.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <random>
#include <thread>

namespace taluma::test {
namespace {

using namespace taluma::cmd;

// Plays blocks of up to `maxBlock` samples with notes, automation and now and then a
// bypass, until stopped.
class AudioThread {
public:
    AudioThread(IAudioProcessor& processor, int32 maxBlock)
        : thread_([this, &processor, maxBlock] { play(processor, maxBlock); }) {}
    ~AudioThread() { stop(); }

    void stop() {
        done_ = true;
        if (thread_.joinable())
            thread_.join();
    }
    // Waits until `n` more blocks have been played.
    void await(int n) const {
        const int until = blocks_.load() + n;
        while (blocks_.load() < until)
            std::this_thread::yield();
    }
    bool finite() const { return finite_.load(); }
    bool heard() const { return heard_.load(); }

private:
    void play(IAudioProcessor& processor, int32 maxBlock) {
        HostEventList events;
        HostParameterChanges changes;
        std::vector<float> l(size_t(maxBlock), 0.0f), r(size_t(maxBlock), 0.0f);
        for (int block = 0; !done_.load(); ++block) {
            events.clear();
            changes.clear();
            if (block % 3)
                events.noteOn(0, int16(36 + block % 48), 0.8f);
            else
                events.noteOff(0, int16(36 + block % 48));
            changes.addChange(eventid::operatorParam(0, eventid::kTotalLevel), 0,
                              double(block % 17) / 16.0);
            changes.addChange(eventid::kModWheel, 0, double(block % 5) / 4.0);
            changes.addChange(eventid::kPitchBend, 0, double(block % 11) / 10.0);
            if (block % 25 == 0)
                changes.addChange(kBypassId, 0, block % 50 ? 0.0 : 1.0);
            const int32 n = block % 4 ? maxBlock : 1 + block % maxBlock;
            if (processBlock(processor, n, l.data(), r.data(), &events, &changes) != kResultOk)
                finite_ = false;
            for (int i = 0; i < n; ++i) {
                if (!std::isfinite(l[size_t(i)]) || std::fabs(l[size_t(i)]) > 64.0f)
                    finite_ = false;
                heard_ = heard_.load() || l[size_t(i)] != 0.0f;
            }
            blocks_.fetch_add(1);
        }
    }

    std::atomic<bool> done_{false};
    std::atomic<int> blocks_{0};
    std::atomic<bool> finite_{true};
    std::atomic<bool> heard_{false};
    std::thread thread_;
};

// The editor's messages reach the processor through the controller, as the editor
// sends them.
using Stress = ProcessorFixture;

TEST_F(Stress, StructuralEditsStateSavesLoadsAndMessagesWhileAudioPlays) {
    start(48000.0, 256);
    AudioThread audio(*processor, 256);
    std::atomic<bool> done{false};
    std::thread messages([&] {
        for (int i = 0; !done.load(); ++i) {
            if (i % 4 == 0)
                sendNotice(*controller, taluma::message::kEditorOpened);
            else
                sendValue(*controller, taluma::message::kValueChange,
                          i % 2 ? editorTag(drawCommand(0, i % 32)) : generator::kApplyA, i % 200);
        }
    });
    const std::vector<uint8_t> base = save();
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    for (int round = 0; std::chrono::steady_clock::now() < end || round < 20; ++round) {
        std::vector<uint8_t> record = base;
        record[835] = uint8_t(round % 128);  // A TL
        record[2] = uint8_t(round % 2);      // skin
        ASSERT_EQ(load(record), kResultOk);
        const std::vector<uint8_t> saved = save();
        ASSERT_EQ(saved.size(), 865u);   // the record and the bypass after it
        ASSERT_EQ(saved[2], round % 2);  // nothing else writes the skin: never torn or lost
        controller->readBackParameters();
        // Set-ups, activation and structural edits meanwhile.
        ProcessSetup s{kRealtime, kSample32, round % 3 ? 256 : 128, round % 2 ? 44100.0 : 48000.0};
        processor->setupProcessing(s);
        processor->setActive(round % 5 != 4);
        {
            Synth::StructuralEdit edit(*synth);
            synth->setRateDivider(round % 4);
        }
        synth->chooseVoiceCount(double(round % 8) / 7.0);
        synth->takeChangeNotice();
        audio.await(1);
    }
    done = true;
    messages.join();
    audio.stop();
    EXPECT_TRUE(audio.finite());
    processor->setActive(true);
    EXPECT_TRUE(synth->renderEnabled() || synth->bypassed());
}

TEST_F(Stress, EditorCommandsAndFilesWhileAudioPlays) {
    std::vector<int32_t> tags = {
        global::kVolume,     global::kReferencePitch, global::kRateDivider,  global::kBitDepth,
        global::kVoiceCount, global::kPage,           waveSwitch::kLinkAB,   history::kUndo,
        history::kRedo,      history::kStrokeBegin,   history::kStrokeEnd,   opValue::kLfoFreq,
        opValue::kAlgorithm, generator::kApplyA,      generator::kApplyB,    generator::kAmplitude,
        generator::kCycles,  generator::kHarmonicsOn, generator::kNoiseSeed, generator::kType,
        setting::kBendRange, setting::kSkin};
    for (int op = 0; op < 2; ++op) {
        for (int32_t item :
             {button::kRotateLeft1, button::kReverse, button::kAmplify1_5, button::kInvert})
            tags.push_back(tableCommand(op, kEditButtons, item));
        for (int32_t item : {menu::kClear, menu::kCopy, menu::kExchange, menu::kTableSize,
                             menu::kLoadSlot, menu::kSaveSlot, menu::kBitReduction, menu::kSteps})
            tags.push_back(tableCommand(op, kTableMenu, item));
        for (int cell : {0, 31, 127, 128})
            tags.push_back(drawCommand(op, cell));
        for (auto param : {eventid::kTotalLevel, eventid::kTune})
            tags.push_back(opValue::operatorParam(op, param));
    }
    ScratchDir dir;
    const std::string files[] = {dir.file("t.txt"), dir.file("w.wav"), dir.file("p.tlmprst")};
    const int32_t fileCodes[] = {
        file::exportTable(0, file::kText), file::exportTable(1, file::kWav),
        file::importTable(0, file::kText), file::importTable(1, file::kWav),
        file::importTable(1, file::kByName)};

    start(44100.0, 256);
    const std::vector<uint8_t> before = save();
    AudioThread audio(*processor, 256);
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> norm(0.0, 1.0);
    for (int n = 0; n < 1500; ++n) {
        const int32_t tag = tags[rng() % tags.size()];
        double value = norm(rng);
        if (subGroupOf(tag) == kDrawing && groupOf(tag) != kOpValues)
            value = 1.0 + double(rng() % 256);
        if (groupOf(tag) == kOpValues || tag == generator::kType || tag == setting::kSkin)
            value = double(rng() % 300);
        if (rng() % 50 == 0)
            value = std::nan("");
        sendValue(*controller, taluma::message::kValueChange, tag, value);
        if (n % 25 == 0) {
            const int32_t code = fileCodes[rng() % (sizeof(fileCodes) / sizeof(fileCodes[0]))];
            sendFileRequest(*controller, code,
                            files[(code & file::kFormatMask) == file::kWav ? 1 : 0]);
        }
        if (n % 300 == 0)
            sendFileRequest(*controller, file::kExportPreset, files[2]);
        if (n % 300 == 150)
            sendFileRequest(*controller, file::kImportPreset, files[2]);
        if (n % 100 == 0)
            audio.await(1);  // let the audio thread in between the bursts
    }
    audio.await(4);
    audio.stop();
    EXPECT_TRUE(audio.finite());
    EXPECT_TRUE(audio.heard());
    // The commands arrived: the tables (record bytes 40 to 295) are none of the audio
    // thread's business.
    const std::vector<uint8_t> after = save();
    EXPECT_FALSE(std::equal(before.begin() + 40, before.begin() + 296, after.begin() + 40));

    // The wave arrays the voices read are the committed tables.
    const WaveStore& store = synth->waves();
    for (int op = 0; op < 2; ++op) {
        const int log2 = store.log2Size(op);
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
