#include "input_files.h"

#include <gtest/gtest.h>

#include "input_error.h"
#include "scratch_dir.h"
#include "smf_bytes.h"
#include "synth/preset_file.h"

namespace taluma::render {
namespace {

std::vector<uint8_t> record(uint8_t version) {
    std::vector<uint8_t> r(kStateRecordBytes, 0x80);
    r[0] = version;
    return r;
}

std::vector<uint8_t> preset(const std::vector<uint8_t>& rec, size_t totalSize) {
    std::vector<uint8_t> p = formatPreset(rec);
    p.resize(totalSize, 0);
    return p;
}

TEST(InputFiles, EventFileIsToldApartByContent) {
    using namespace test;
    testhost::ScratchDir dir;
    const std::string midi = dir.write(
        "song.txt", concat({header(0, 1, 96), chunk({0x00, 0x90, 60, 100, 0x60, 0x80, 60, 0})}));
    EXPECT_EQ(readEventFile(midi).events.size(), 2u);  // MThd wins over the name
    EXPECT_EQ(readEventFile(dir.write("notes.mid", std::string("0 60 9 1\n"))).events.size(), 2u);
}

TEST(InputFiles, PresetFilesYieldTheirRecordOrAreRefused) {
    std::vector<uint8_t> rec = record(2);
    rec[857] = 7;
    std::vector<uint8_t> wrongSizes = preset(rec, 874);
    wrongSizes[4] = 0;  // the size fields are not checked
    std::vector<uint8_t> noMarks = preset(rec, 874);
    noMarks[8] = 'D';
    EXPECT_EQ(stateFromPresetFile(preset(rec, 874), "p"), rec);
    EXPECT_EQ(stateFromPresetFile(preset(rec, 1024), "p"), rec);  // trailing bytes allowed
    EXPECT_EQ(stateFromPresetFile(wrongSizes, "p"), rec);
    for (const auto& bad : {preset(rec, 873), preset(rec, 1025), preset(record(1), 874), noMarks})
        EXPECT_THROW(stateFromPresetFile(bad, "p"), InputError);
}

TEST(InputFiles, StateFileIsTheRecordAndWhatTheModuleSavedAfterIt) {
    EXPECT_EQ(stateFromStateFile(record(2), "s"), record(2));
    std::vector<uint8_t> saved = record(2);
    saved.resize(1024, 1);
    EXPECT_EQ(stateFromStateFile(saved, "s"), saved);
    saved.push_back(1);
    EXPECT_THROW(stateFromStateFile(saved, "s"), InputError);
    EXPECT_THROW(stateFromStateFile(record(3), "s"), InputError);
    std::vector<uint8_t> shortRecord = record(2);
    shortRecord.pop_back();
    EXPECT_THROW(stateFromStateFile(shortRecord, "s"), InputError);
}

}  // namespace
}  // namespace taluma::render
