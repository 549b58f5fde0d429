// File requests as the editor sends them: which reader or writer a request code and a
// file name choose, and preset files. The text and WAV formats themselves are tested
// in wave_files_test.
#include <algorithm>

#include "synth/preset_file.h"
#include "synth_fixture.h"

namespace taluma::test {
namespace {

class FileRequestTest : public SynthTest {
protected:
    FileRequestTest() {
        markTables(synth);
        dir.write("w.wav", wavFile(1, 8, {1, 2, 3}));
        dir.write("mywav", wavFile(1, 8, {4, 5, 6}));
        writeText(dir.file("t.txt"), "0A 0B");
        writeText(dir.file("t.dat"), "0C 0D");
    }
    ScratchDir dir;
};

TEST_F(FileRequestTest, ImportsPickTheirReaderByCodeAndName) {
    using file::importTable;
    struct Case {
        int32_t code;
        const char* name;
        int op;
        std::vector<int> first3;  // empty: the table stays as it was
        int updates;
    };
    const Case cases[] = {
        {importTable(0, file::kText), "t.txt", 0, {0x0A, 0x0B, 0}, 1},
        {importTable(1, file::kWav), "w.wav", 1, {1, 2, 3}, 1},
        {importTable(0, file::kByName), "mywav", 0, {4, 5, 6}, 1},  // any character before "wav"
        {importTable(1, file::kByName), "t.txt", 1, {0x0A, 0x0B, 0}, 1},
        {importTable(1, file::kByName), "t.dat", 1, {}, 1},  // neither name: nothing read
        {importTable(0, file::kText), "missing.txt", 0, {}, 1},
        {importTable(0, file::kWav), "", 0, {}, 1},  // a folder
        {file::kImportTable, "t.txt", 0, {}, 0},     // no format: no request
        {file::kText, "t.txt", 0, {}, 0},            // no action
        {file::kImportTable | file::kExportTable | file::kText, "t.txt", 0, {0x0A, 0x0B, 0}, 1},
    };
    for (const Case& c : cases) {
        markTables(synth);
        const std::vector<int> before = cells(c.op, 3);
        EXPECT_EQ(request(c.code, dir.file(c.name)), c.updates) << c.name;
        EXPECT_EQ(cells(c.op, 3), c.first3.empty() ? before : c.first3) << c.name;
    }
    EXPECT_EQ(readBytes(dir.file("t.txt")).size(), 5u);  // the import won: nothing written
}

TEST_F(FileRequestTest, ExportsPickTheirWriterByCodeAndName) {
    using file::exportTable;
    struct Case {
        int32_t code;
        const char* name;
        size_t bytes;  // 0: nothing written
    };
    const Case cases[] = {
        {exportTable(0, file::kText), "a.txt", 32 * 3 - 1},
        {exportTable(1, file::kWav), "b.wav", 44 + 8},
        {exportTable(0, file::kByName), "c.wav", 44 + 32},
        {exportTable(1, file::kByName), "d.txt", 8 * 3 - 1},
        {exportTable(0, file::kByName), "e.dat", 0},
        {file::kExportTable, "f.txt", 0},                                         // no format
        {exportTable(1, file::kText) | file::kExportPreset, "g.txt", 8 * 3 - 1},  // table first
        {exportTable(0, file::kText), "no/such/folder/i.txt", 0},
        {file::kExportPreset, "no/such/folder/j.tlmprst", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(request(c.code, dir.file(c.name)), 0) << c.name;  // exports send nothing
        EXPECT_EQ(readBytes(dir.file(c.name)).size(), c.bytes) << c.name;
    }
}

TEST(FileNames, WavOrTextByTheirLastFourCharacters) {
    for (const char* name : {"a.wav", "_wav", "x/mywav"})
        EXPECT_TRUE(namesWavFile(name)) << name;
    for (const char* name : {"wav", "a\nwav", "a.wav ", "a.WAV", "a.txt"})
        EXPECT_FALSE(namesWavFile(name)) << name;
    EXPECT_TRUE(namesTextFile("notes.txt"));
    EXPECT_FALSE(namesTextFile("notes.TXT"));
}

TEST_F(FileRequestTest, NonAsciiPathsRoundTrip) {
    const std::vector<int> a = cells(0, 32);
    const std::string path = dir.file("Wellenform \xC3\xA4\xE2\x82\xAC.wav");
    request(file::exportTable(0, file::kByName), path);
    send(tableCommand(1, kTableMenu, menu::kTableSize), 0.6);  // 32 cells
    request(file::importTable(1, file::kByName), path);
    EXPECT_EQ(cells(1, 32), a);
}

// --- presets -------------------------------------------------------------------------

class PresetTest : public FileRequestTest {
protected:
    PresetTest() {
        send(tableCommand(0, kTableMenu, menu::kTableSize), 1.0);
        send(waveSwitch::kLinkAB, 1.0);
        send(generator::kNoiseSeed, 0.5);
        send(opValue::operatorParam(0, eventid::kTotalLevel), 99.0);
        send(global::kVoiceCount, 0.0);
        send(tableCommand(1, kTableMenu, menu::kSaveSlot), 1.0);
        request(file::kExportPreset, dir.file("p.tlmprst"));
    }
};

TEST_F(PresetTest, ExportIsTheRecordBehindAHeaderAndImportRestoresIt) {
    const std::vector<uint8_t> file = readBytes(dir.file("p.tlmprst"));
    ASSERT_EQ(file.size(), 874u);
    const std::vector<uint8_t> header = {'R', 'I', 'F', 'F', 0x62, 0x03, 0, 0,
                                         'd', 'a', 't', 'a', 0x5A, 0x03, 0, 0};
    EXPECT_TRUE(std::equal(header.begin(), header.end(), file.begin()));
    EXPECT_TRUE(std::equal(file.begin() + 16, file.end(), record().begin()));

    for (bool running : {false, true}) {  // applied at once, also while audio runs
        Synth fresh(512, 44100.0f);
        fresh.setRunning(running);
        ASSERT_NE(writeStateRecord(fresh), record());
        handleFileSelect(fresh, file::kImportPreset, dir.file("p.tlmprst"), nullptr);
        EXPECT_EQ(writeStateRecord(fresh), record());
        EXPECT_EQ(fresh.takeChangeNotice(), change::kPresetLoad);
        EXPECT_FALSE(fresh.applyDeferredChanges());  // nothing left for the audio thread
    }
}

TEST_F(PresetTest, OnlyWellFormedFilesOfAcceptedLengthLoad) {
    const std::vector<uint8_t> good = readBytes(dir.file("p.tlmprst"));
    auto with = [&](size_t at, uint8_t v) {
        std::vector<uint8_t> b = good;
        b[at] = v;
        return b;
    };
    std::vector<uint8_t> oddSizes = with(4, 1);  // the size fields are not checked
    oddSizes[12] = 0xFF;
    oddSizes.resize(1024, 0xAA);  // trailing bytes up to 1024 are tolerated
    // The bounds of the length and the "data" mark are the file image's, which taluma-render
    // reads too: InputFiles.PresetFilesYieldTheirRecordOrAreRefused.
    const std::pair<std::vector<uint8_t>, bool> files[] = {
        {with(0, 'r'), false},  // "RIFF"
        {with(16, 3), false},   // the record's version
        {oddSizes, true},
    };
    for (const auto& [bytes, loads] : files) {
        Synth fresh(512, 44100.0f);
        const std::vector<uint8_t> untouched = writeStateRecord(fresh);
        EXPECT_EQ(loadPresetFile(fresh, dir.write("try.tlmprst", bytes)), loads) << bytes.size();
        EXPECT_EQ(writeStateRecord(fresh), loads ? record() : untouched) << bytes.size();
    }
    EXPECT_FALSE(loadPresetFile(synth, dir.file("missing.tlmprst")));
}

}  // namespace
}  // namespace taluma::test
