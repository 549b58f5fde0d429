#include "wavetable/file_io.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#ifdef _WIN32
#include <windows.h>
#endif

namespace taluma {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File openFile(const std::string& utf8Path, bool write) {
#ifdef _WIN32
    const int n =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8Path.c_str(), -1, nullptr, 0);
    if (n <= 0)
        return nullptr;
    std::wstring wide(size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8Path.c_str(), -1, &wide[0], n);
    return File(_wfopen(wide.c_str(), write ? L"wb" : L"rb"));
#else
    return File(std::fopen(utf8Path.c_str(), write ? "wb" : "rb"));
#endif
}

}  // namespace

bool readFilePrefix(const std::string& utf8Path, size_t maxBytes, std::vector<uint8_t>& bytes,
                    uint64_t& fileLength) {
    File f = openFile(utf8Path, false);
    if (!f)
        return false;
    if (std::fseek(f.get(), 0, SEEK_END) != 0)
        return false;
    const long length = std::ftell(f.get());
    if (length < 0 || std::fseek(f.get(), 0, SEEK_SET) != 0)
        return false;
    fileLength = uint64_t(length);
    bytes.resize(std::min<size_t>(size_t(length), maxBytes));
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f.get()));
    return true;
}

bool writeFile(const std::string& utf8Path, const uint8_t* data, size_t size) {
    File f = openFile(utf8Path, true);
    if (!f)
        return false;
    const bool written = std::fwrite(data, 1, size, f.get()) == size;
    return std::fclose(f.release()) == 0 && written;
}

}  // namespace taluma
