// A Synth with recorded editor replies, for the command and file request tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "command_tags.h"
#include "editor_commands.h"
#include "file_requests.h"
#include "scratch_files.h"
#include "synth.h"

namespace taluma::test {

using namespace taluma::cmd;

struct Reply {
    int64_t tag;
    double value;
    bool operator==(const Reply& o) const { return tag == o.tag && value == o.value; }
};

inline std::ostream& operator<<(std::ostream& os, const Reply& r) {
    return os << "(0x" << std::hex << r.tag << std::dec << ", " << r.value << ")";
}

class SynthTest : public ::testing::Test {
protected:
    SynthTest() : synth(512, 44100.0f) {}

    // One editor command; returns its replies.
    std::vector<Reply> send(int32_t tag, double value) {
        std::vector<Reply> replies;
        handleEditorValue(synth, tag, value, [&](int64_t t, double v) {
            replies.push_back({t, v});
        });
        return replies;
    }
    // One file request; returns how many "Processor:uiUpdate" it sent.
    int request(int32_t code, const std::string& path) {
        int updates = 0;
        handleFileSelect(synth, code, path, [&] { ++updates; });
        return updates;
    }

    const WaveStore& store() { return synth.waves(); }
    std::vector<int> cells(int op, int n) {
        std::vector<int> out;
        for (int i = 0; i < n; ++i)
            out.push_back(store().cell(op, i));
        return out;
    }
    std::vector<int> table(int op) { return cells(op, kTableCells); }
    void fill(int op, const std::vector<int>& values) {
        Synth::Edit edit(synth);
        for (size_t i = 0; i < values.size(); ++i)
            edit.waves().setCell(op, int(i), uint8_t(values[i]));
        edit.waves().commitTable(op);
    }
    // The normalised choice that selects log2 size 2..7 in the table-size menu.
    static double sizeChoice(int log2) { return (log2 - 2) / 5.0; }
    uint32_t wave(int op, int pos) { return synth.engine().waveLog[op][pos].load(); }

    Synth synth;
};

}  // namespace taluma::test
