// A scratch folder and whole-file helpers for tests that read and write files.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "file_io.h"

namespace taluma::test {

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
    if (!readFilePrefix(path, 1 << 20, bytes, length))
        bytes.clear();
    return bytes;
}

inline void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    ASSERT_TRUE(writeFile(path, bytes.data(), bytes.size())) << path;
}

inline void writeText(const std::string& path, const std::string& text) {
    writeBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

}  // namespace taluma::test
