// A Synth with recorded editor replies, for the command and file request tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "synth/command_tags.h"
#include "synth/editor_commands.h"
#include "synth/file_requests.h"
#include "scratch_files.h"
#include "synth/state_record.h"
#include "synth/synth.h"

namespace taluma::test {

using namespace taluma::cmd;

// Replies as (tag, value).
using Updates = std::vector<std::pair<int64_t, double>>;

// One editor command; returns its replies.
inline Updates send(Synth& synth, int32_t tag, double value) {
    Updates replies;
    handleEditorValue(synth, tag, value, [&](int64_t t, double v) { replies.push_back({t, v}); });
    return replies;
}

// Table A holds 32 distinct values and table B 8 others, so that every table
// operation shows in the state record.
inline void markTables(Synth& synth) {
    Synth::Edit edit(synth);
    WaveStore& waves = edit.waves();
    waves.resizeTable(1, 3);
    for (int i = 0; i < 32; ++i)
        waves.setCell(0, i, uint8_t(i * 37 + 11));
    for (int i = 0; i < 8; ++i)
        waves.setCell(1, i, uint8_t(250 - i * 29));
    waves.commitTable(0);
    waves.commitTable(1);
}

class SynthTest : public ::testing::Test {
protected:
    SynthTest() : synth(512, 44100.0f) {}

    Updates send(int32_t tag, double value) { return test::send(synth, tag, value); }
    // One file request; returns how many "Processor:uiUpdate" it sent.
    int request(int32_t code, const std::string& path) {
        int updates = 0;
        handleFileSelect(synth, code, path, [&] { ++updates; });
        return updates;
    }
    std::vector<int> cells(int op, int n) const {
        std::vector<int> out;
        for (int i = 0; i < n; ++i)
            out.push_back(synth.waves().cell(op, i));
        return out;
    }
    std::vector<uint8_t> record() { return writeStateRecord(synth); }

    Synth synth;
};

}  // namespace taluma::test
