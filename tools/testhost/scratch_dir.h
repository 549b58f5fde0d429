// A fresh folder under the system's temporary folder for a test's files, removed with
// them. Names are UTF-8, as the editor sends them.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>

namespace taluma {
namespace testhost {

class ScratchDir {
public:
    ScratchDir() {
        static int counter = 0;
        std::random_device entropy;
        dir_ = std::filesystem::temp_directory_path() /
               ("taluma-test-" + std::to_string(entropy()) + "-" + std::to_string(++counter));
        std::filesystem::create_directories(dir_);
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string path() const { return dir_.u8string(); }
    std::string file(const std::string& name) const { return (dir_ / "").u8string() + name; }
    // Writes the bytes (a string or a vector of bytes) as the file `name`; returns its path.
    template <typename Bytes>
    std::string write(const std::string& name, const Bytes& bytes) const {
        std::ofstream(file(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return file(name);
    }
    std::string read(const std::string& name) const {
        std::ifstream in(file(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path dir_;
};

}  // namespace testhost
}  // namespace taluma
