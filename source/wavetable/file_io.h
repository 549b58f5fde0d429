// Whole-file reading and writing for paths that arrive as UTF-8 bytes. On Windows the
// path is converted to UTF-16 so that any file name works.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace taluma {

// Reads at most maxBytes from the start of the file; false when it cannot be opened.
// fileLength receives the whole file's length.
bool readFilePrefix(const std::string& utf8Path, size_t maxBytes, std::vector<uint8_t>& bytes,
                    uint64_t& fileLength);
// Replaces the file's content; false when it cannot be opened or written.
bool writeFile(const std::string& utf8Path, const uint8_t* data, size_t size);

}  // namespace taluma
