// File requests as the editor sends them: routing by request code and file name, the
// exact bytes written, imports that must leave the instrument alone, and preset files.
#include <algorithm>
#include <random>

#include "preset_file.h"
#include "state_record.h"
#include "synth_fixture.h"

namespace taluma::test {
namespace {

class FileRequestTest : public SynthTest {
protected:
    // A table of distinct values that no default or import produces by accident.
    void markTable(int op) {
        std::vector<int> v;
        for (int i = 0; i < store().size(op); ++i)
            v.push_back((i * 37 + 11) & 255);
        fill(op, v);
    }
    std::vector<uint8_t> wav8(const std::vector<uint8_t>& samples) {
        std::vector<uint8_t> f = {'R',
                                  'I',
                                  'F',
                                  'F',
                                  0,
                                  0,
                                  0,
                                  0,
                                  'W',
                                  'A',
                                  'V',
                                  'E',
                                  'f',
                                  'm',
                                  't',
                                  ' ',
                                  16,
                                  0,
                                  0,
                                  0,
                                  1,
                                  0,
                                  1,
                                  0,
                                  0x44,
                                  0xAC,
                                  0,
                                  0,
                                  0x44,
                                  0xAC,
                                  0,
                                  0,
                                  1,
                                  0,
                                  8,
                                  0,
                                  'd',
                                  'a',
                                  't',
                                  'a',
                                  uint8_t(samples.size()),
                                  0,
                                  0,
                                  0};
        for (uint8_t sample : samples)
            f.push_back(sample);
        if (samples.size() & 1)
            f.push_back(0);
        const uint32_t riff = uint32_t(f.size() - 8);
        for (int i = 0; i < 4; ++i)
            f[size_t(4 + i)] = uint8_t(riff >> (8 * i));
        return f;
    }
    ScratchDir dir;
};

TEST_F(FileRequestTest, TextExportBytesAndRoundTrip) {
    send(tableCommand(0, kTableMenu, menu::kTableSize), sizeChoice(2));
    fill(0, {0x80, 0xFF, 0x80, 0x00});
    EXPECT_EQ(request(file::exportTable(0, file::kText), dir.file("waveTable.txt")), 0);
    const std::vector<uint8_t> bytes = readBytes(dir.file("waveTable.txt"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "80 FF 80 00");

    markTable(1);
    const std::vector<int> b = table(1);
    EXPECT_EQ(request(file::exportTable(1, file::kText), dir.file("b.txt")), 0);
    fill(1, std::vector<int>(32, 0));
    EXPECT_EQ(request(file::importTable(1, file::kText), dir.file("b.txt")), 1);
    EXPECT_EQ(table(1), b);
}

TEST_F(FileRequestTest, WavExportBytesAndRoundTrip) {
    markTable(0);
    const std::vector<int> a = table(0);
    EXPECT_EQ(request(file::exportTable(0, file::kWav), dir.file("waveForm.wav")), 0);
    const std::vector<uint8_t> bytes = readBytes(dir.file("waveForm.wav"));
    ASSERT_EQ(bytes.size(), 76u);
    const std::vector<uint8_t> header = {'R', 'I', 'F',  'F',  68,  0,   0,    0,    'W', 'A', 'V',
                                         'E', 'f', 'm',  't',  ' ', 16,  0,    0,    0,   1,   0,
                                         1,   0,   0x44, 0xAC, 0,   0,   0x44, 0xAC, 0,   0,   1,
                                         0,   8,   0,    'd',  'a', 't', 'a',  32,   0,   0,   0};
    EXPECT_TRUE(std::equal(header.begin(), header.end(), bytes.begin()));
    for (int k = 0; k < 32; ++k)
        ASSERT_EQ(bytes[size_t(44 + k)], a[size_t(k)]);

    fill(0, std::vector<int>(32, 1));
    EXPECT_EQ(request(file::importTable(0, file::kWav), dir.file("waveForm.wav")), 1);
    EXPECT_EQ(table(0), a);
}

TEST_F(FileRequestTest, FormatChosenByTheFileName) {
    writeBytes(dir.file("mywav"), wav8({1, 2, 3}));
    writeBytes(dir.file("x.WAV"), wav8({4, 5, 6}));
    writeText(dir.file("t.txt"), "0A 0B");
    writeText(dir.file("t.dat"), "0C 0D");
    const std::vector<int> b = table(1);

    EXPECT_EQ(request(file::importTable(1, file::kByName), dir.file("x.WAV")),
              1);  // neither name: nothing read
    EXPECT_EQ(table(1), b);
    EXPECT_EQ(request(file::importTable(1, file::kByName), dir.file("t.dat")), 1);
    EXPECT_EQ(table(1), b);
    EXPECT_EQ(request(file::importTable(0, file::kByName), dir.file("mywav")),
              1);  // any character before "wav"
    EXPECT_EQ(cells(0, 4), (std::vector<int>{1, 2, 3, 0}));
    EXPECT_EQ(request(file::importTable(1, file::kByName), dir.file("t.txt")), 1);
    EXPECT_EQ(cells(1, 3), (std::vector<int>{0x0A, 0x0B, 0}));

    EXPECT_TRUE(namesWavFile("a.wav"));
    EXPECT_TRUE(namesWavFile("_wav"));
    EXPECT_FALSE(namesWavFile("wav"));
    EXPECT_FALSE(namesWavFile("a\nwav"));
    EXPECT_FALSE(namesWavFile("a.wav "));
    EXPECT_TRUE(namesTextFile("notes.txt"));
    EXPECT_FALSE(namesTextFile("notes.TXT"));

    EXPECT_EQ(request(file::exportTable(0, file::kByName), dir.file("out.wav")), 0);
    EXPECT_EQ(readBytes(dir.file("out.wav")).size(), 44u + 32u);
    request(file::exportTable(1, file::kByName), dir.file("out.txt"));
    EXPECT_EQ(readBytes(dir.file("out.txt")).size(), 32u * 3u - 1u);
    request(file::exportTable(0, file::kByName), dir.file("out.dat"));
    EXPECT_TRUE(readBytes(dir.file("out.dat")).empty());
}

TEST_F(FileRequestTest, RequestBitsDecideInOrder) {
    writeText(dir.file("t.txt"), "11 22");
    EXPECT_EQ(request(tableCommand(1, kEditButtons, button::kMenu), dir.file("t.txt")),
              0);  // import without a format: nothing
    EXPECT_EQ(store().cell(0, 0), 128);
    EXPECT_EQ(request(file::kImportTable | file::kExportTable | file::kText, dir.file("t.txt")),
              1);  // import wins
    EXPECT_EQ(cells(0, 2), (std::vector<int>{0x11, 0x22}));
    EXPECT_EQ(readBytes(dir.file("t.txt")).size(), 5u);
    EXPECT_EQ(request(file::kText, dir.file("t.txt")), 0);            // no action bit
    EXPECT_EQ(request(file::kExportTable, dir.file("none.txt")), 0);  // export without a format
    EXPECT_TRUE(readBytes(dir.file("none.txt")).empty());
    EXPECT_EQ(request(file::exportTable(1, file::kText) | file::kExportPreset, dir.file("t.txt")),
              0);  // table export before preset
    EXPECT_EQ(readBytes(dir.file("t.txt")).size(), 95u);
}

TEST_F(FileRequestTest, NonAsciiPaths) {
    markTable(0);
    const std::vector<int> a = table(0);
    const std::string path = dir.file("Wellenform \xC3\xA4\xE2\x82\xAC.wav");
    request(file::exportTable(0, file::kByName), path);
    fill(0, std::vector<int>(32, 0));
    request(file::importTable(1, file::kByName), path);
    EXPECT_EQ(cells(1, 32), std::vector<int>(a.begin(), a.begin() + 32));
}

TEST_F(FileRequestTest, BadImportsLeaveTheTableAlone) {
    markTable(0);
    const std::vector<int> a = table(0);
    std::vector<uint8_t> stereo = wav8({1, 2, 3, 4});
    stereo[22] = 2;
    std::vector<uint8_t> dataFirst = wav8({});
    std::rotate(dataFirst.begin() + 12, dataFirst.begin() + 36, dataFirst.end());
    std::vector<uint8_t> tooLong = wav8(std::vector<uint8_t>(255, 9));
    tooLong.resize(1100, 0);
    std::vector<uint8_t> truncated = wav8({1, 2, 3, 4});
    truncated.resize(40);
    std::vector<uint8_t> noChannels = wav8({1, 2});
    noChannels[22] = 0;
    std::vector<uint8_t> fourBits = wav8({1, 2});
    fourBits[34] = 4;
    const std::pair<const char*, std::vector<uint8_t>> files[] = {
        {"empty.wav", {}},
        {"stereo.wav", stereo},
        {"data-first.wav", dataFirst},
        {"long.wav", tooLong},
        {"cut.wav", truncated},
        {"zero-ch.wav", noChannels},
        {"4bit.wav", fourBits},
        {"garbage.wav", {0xDE, 0xAD, 0xBE, 0xEF, 'R', 'I', 'F', 'F'}},
        {"empty.txt", {}},
    };
    for (const auto& f : files) {
        writeBytes(dir.file(f.first), f.second);
        EXPECT_EQ(request(file::importTable(0, file::kByName), dir.file(f.first)), 1) << f.first;
        EXPECT_EQ(table(0), a) << f.first;
    }
    EXPECT_EQ(request(file::importTable(0, file::kText), dir.file("missing.txt")), 1);
    EXPECT_EQ(request(file::importTable(0, file::kWav), dir.file("missing.wav")), 1);
    EXPECT_EQ(request(file::importTable(0, file::kText), dir.file("")), 1);  // a folder
    EXPECT_EQ(table(0), a);
    request(file::exportTable(0, file::kText), dir.file("no/such/folder.txt"));
}

TEST_F(FileRequestTest, WavChunkClaimingMoreThanTheFileIsCut) {
    std::vector<uint8_t> f = wav8({10, 20, 30, 40});
    f[40] = 200;  // the data chunk claims 200 bytes, 4 are there
    writeBytes(dir.file("claim.wav"), f);
    markTable(0);
    request(file::importTable(0, file::kWav), dir.file("claim.wav"));
    EXPECT_EQ(cells(0, 6), (std::vector<int>{10, 20, 30, 40, 0, 0}));
}

// --- presets -------------------------------------------------------------------------

class PresetTest : public FileRequestTest {
protected:
    void changeEverything() {
        send(tableCommand(0, kTableMenu, menu::kTableSize), 1.0);
        markTable(0);
        send(tableCommand(1, kTableMenu, menu::kSteps), 0.0);
        send(waveSwitch::kLinkAB, 1.0);
        send(generator::kType, 5.0);
        send(generator::kNoiseSeed, 0.5);
        send(setting::kSkin, 1.0);
        send(opValue::operatorParam(0, eventid::kTotalLevel), 99.0);
        send(global::kVoiceCount, 0.0);
        send(tableCommand(1, kTableMenu, menu::kSaveSlot), 1.0);
    }
    std::vector<uint8_t> presetFile() {
        request(file::kExportPreset, dir.file("p.tlmprst"));
        return readBytes(dir.file("p.tlmprst"));
    }
};

TEST_F(PresetTest, ExportWrites874BytesAndImportRestoresEverything) {
    const std::vector<uint8_t> defaults = writeStateRecord(synth);
    changeEverything();
    const std::vector<uint8_t> changed = writeStateRecord(synth);
    ASSERT_NE(changed, defaults);
    const std::vector<uint8_t> file = presetFile();
    ASSERT_EQ(file.size(), 874u);
    const std::vector<uint8_t> header = {'R', 'I', 'F', 'F', 0x62, 0x03, 0, 0,
                                         'd', 'a', 't', 'a', 0x5A, 0x03, 0, 0};
    EXPECT_TRUE(std::equal(header.begin(), header.end(), file.begin()));
    EXPECT_TRUE(std::equal(changed.begin(), changed.end(), file.begin() + 16));

    Synth fresh(512, 44100.0f);
    ASSERT_EQ(writeStateRecord(fresh), defaults);
    handleFileSelect(fresh, file::kImportPreset, dir.file("p.tlmprst"), nullptr);
    EXPECT_EQ(writeStateRecord(fresh), changed);
    EXPECT_EQ(fresh.waves().size(0), 128);
    EXPECT_EQ(fresh.engine().voiceCount, 8);
    EXPECT_EQ(fresh.takeChangeNotice() & change::kPresetLoad, change::kPresetLoad);
}

TEST_F(PresetTest, OnlyWellFormedFilesOfAcceptedLengthLoad) {
    changeEverything();
    std::vector<uint8_t> good = presetFile();
    Synth fresh(512, 44100.0f);
    const std::vector<uint8_t> untouched = writeStateRecord(fresh);
    auto tryLoad = [&](const std::vector<uint8_t>& bytes) {
        writeBytes(dir.file("try.tlmprst"), bytes);
        return loadPresetFile(fresh, dir.file("try.tlmprst"));
    };
    std::vector<uint8_t> shortFile(good.begin(), good.end() - 1);
    std::vector<uint8_t> longFile = good;
    longFile.resize(1025, 0);
    std::vector<uint8_t> badRiff = good;
    badRiff[0] = 'r';
    std::vector<uint8_t> badData = good;
    badData[11] = 'A';
    std::vector<uint8_t> badVersion = good;
    badVersion[16] = 3;
    for (const auto* bad : {&shortFile, &longFile, &badRiff, &badData, &badVersion}) {
        EXPECT_FALSE(tryLoad(*bad)) << bad->size();
        EXPECT_EQ(writeStateRecord(fresh), untouched);
    }
    EXPECT_FALSE(loadPresetFile(fresh, dir.file("missing.tlmprst")));
    EXPECT_EQ(writeStateRecord(fresh), untouched);

    std::vector<uint8_t> oddSizes = good;  // the size fields are not checked
    oddSizes[4] = 1;
    oddSizes[12] = 0xFF;
    oddSizes.resize(1024, 0xAA);  // trailing bytes up to 1024 are tolerated
    EXPECT_TRUE(tryLoad(oddSizes));
    EXPECT_EQ(writeStateRecord(fresh), writeStateRecord(synth));
}

TEST_F(PresetTest, ImportWhileAudioRunsIsReadOnTheMessageThread) {
    changeEverything();
    presetFile();
    Synth running(512, 44100.0f);
    running.setRunning(true);
    handleFileSelect(running, file::kImportPreset, dir.file("p.tlmprst"), nullptr);
    EXPECT_EQ(writeStateRecord(running), writeStateRecord(synth));
    EXPECT_EQ(running.takeChangeNotice(), change::kPresetLoad);
    EXPECT_FALSE(running.applyDeferredChanges());  // nothing left for the audio thread
    EXPECT_TRUE(running.renderEnabled());          // and it is not held off
}

TEST_F(PresetTest, MutatedPresetsLoadWholeOrNotAtAll) {
    changeEverything();
    const std::vector<uint8_t> good = presetFile();
    Synth target(512, 44100.0f);
    std::mt19937 rng(4242);
    int loaded = 0;
    for (int iteration = 0; iteration < 20000; ++iteration) {
        std::vector<uint8_t> bytes = good;
        const int flips = 1 + int(rng() % 12);
        for (int f = 0; f < flips; ++f) {
            // Mostly the header and the record's first bytes, where the checks are.
            const size_t at = rng() % 2 ? rng() % 64 : rng() % bytes.size();
            bytes[at] = uint8_t(rng());
        }
        if (rng() % 8 == 0)
            bytes.resize(860 + rng() % 200, uint8_t(rng()));
        const std::vector<uint8_t> before = writeStateRecord(target);
        const uint8_t* record = presetRecord(bytes.data(), bytes.size());
        const bool applied = record && readStateRecord(target, record, kStateRecordSize);
        const std::vector<uint8_t> after = writeStateRecord(target);
        if (!applied) {
            ASSERT_EQ(after, before) << iteration;
            continue;
        }
        ++loaded;
        const WaveStore& store = target.waves();
        for (int op = 0; op < 2; ++op) {
            ASSERT_GE(store.size(op), 4);
            ASSERT_LE(store.size(op), 128);
            for (int i = store.size(op); i < kTableCells; ++i)
                ASSERT_EQ(store.cell(op, i), 0);
            ASSERT_EQ(target.engine().waveIndexMask[op], (store.size(op) - 1)
                                                             << (7 - store.log2Size(op)));
        }
        const int32_t voices = target.engine().voiceCount;
        ASSERT_TRUE(voices >= 8 && voices <= 1024 && (voices & (voices - 1)) == 0) << voices;
        // Whatever was loaded is a state that saves and loads as itself.
        ASSERT_TRUE(readStateRecord(target, after.data(), after.size()));
        ASSERT_EQ(writeStateRecord(target), after);
    }
    EXPECT_GT(loaded, 2000);
}

TEST_F(PresetTest, ExportIntoAnUnwritablePathWritesNothing) {
    request(file::kExportPreset, dir.file("no/such/folder/p.tlmprst"));
    EXPECT_TRUE(readBytes(dir.file("no/such/folder/p.tlmprst")).empty());
    EXPECT_EQ(formatPreset(std::vector<uint8_t>(858, 2)).size(), 874u);
    const std::vector<uint8_t> image = formatPreset(std::vector<uint8_t>(858, 2));
    EXPECT_EQ(presetRecord(image.data(), image.size()), image.data() + 16);
    EXPECT_EQ(presetRecord(image.data(), 873), nullptr);
}

}  // namespace
}  // namespace taluma::test
