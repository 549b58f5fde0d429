// A Synth with recorded editor replies and a scratch folder, for the command and file
// request tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "editor_commands.h"
#include "file_io.h"
#include "file_requests.h"
#include "synth.h"

namespace taluma::test {

struct Reply {
    int64_t tag;
    double value;
    bool operator==(const Reply& o) const { return tag == o.tag && value == o.value; }
};

inline std::ostream& operator<<(std::ostream& os, const Reply& r) {
    return os << "(0x" << std::hex << r.tag << std::dec << ", " << r.value << ")";
}

// A fresh folder under the system's temporary folder, removed with its files. Names
// are UTF-8, as the editor sends them.
class ScratchDir {
public:
    ScratchDir() {
        static int counter = 0;
        std::random_device entropy;
        dir_ = std::filesystem::temp_directory_path() /
               ("taluma-wt-" + std::to_string(entropy()) + "-" + std::to_string(++counter));
        std::filesystem::create_directories(dir_);
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    std::string file(const std::string& name) const { return (dir_ / "").u8string() + name; }

private:
    std::filesystem::path dir_;
};

// Whole files through the same UTF-8 file access the instrument uses; empty when the
// file cannot be read.
inline std::vector<uint8_t> readBytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    uint64_t length = 0;
    if (!readFilePrefix(path, 1 << 20, bytes, length)) bytes.clear();
    return bytes;
}

inline void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    ASSERT_TRUE(writeFile(path, bytes.data(), bytes.size())) << path;
}

inline void writeText(const std::string& path, const std::string& text) {
    writeBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

class SynthTest : public ::testing::Test {
protected:
    SynthTest() : synth(512, 44100.0f) {}

    // One editor command; returns its replies.
    std::vector<Reply> send(int32_t tag, double value) {
        std::vector<Reply> replies;
        handleEditorValue(synth, tag, value, [&](int64_t t, double v) { replies.push_back({t, v}); });
        return replies;
    }
    // One file request; returns how many "Processor:uiUpdate" it sent.
    int request(int32_t code, const std::string& path) {
        int updates = 0;
        handleFileSelect(synth, code, path, [&] { ++updates; });
        return updates;
    }

    WaveStore& store() { return *synth.waveStore; }
    std::vector<int> cells(int op, int n) {
        std::vector<int> out;
        for (int i = 0; i < n; ++i) out.push_back(store().cell(op, i));
        return out;
    }
    std::vector<int> table(int op) { return cells(op, kTableCells); }
    void fill(int op, const std::vector<int>& values) {
        for (size_t i = 0; i < values.size(); ++i) store().setCell(op, int(i), uint8_t(values[i]));
        store().commitTable(op);
    }
    // The normalised choice that selects log2 size 2..7 in the table-size menu.
    static double sizeChoice(int log2) { return (log2 - 2) / 5.0; }
    uint32_t wave(int op, int pos) { return synth.engine->waveLog[op][pos].load(); }

    Synth synth;
};

}  // namespace taluma::test
