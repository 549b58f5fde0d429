// The presets the window's browser offers, as ".tlmprst" files: the factory bank by
// category (its files are named "<Category> - <Name>"), then the musician's own presets
// under "User". Read from the folders each time the browser needs them.
#pragma once

#include <string>
#include <vector>

namespace Steinberg {
namespace Vst {

struct PresetEntry {
    std::string category;
    std::string name;
    std::string path;  // UTF-8
};

// A preset's name from its file: the file name without its extension and without the
// bank's "<Category> - " in front.
std::string presetNameOf(const std::string& path);

class PresetList {
public:
    static constexpr const char* kUserCategory = "User";

    // Lists the bank's files by file name (so by category) and then the user's by name;
    // a folder that is empty or absent adds nothing.
    void scan(const std::string& bankFolder, const std::string& userFolder);
    const std::vector<PresetEntry>& entries() const { return entries_; }
    // The categories in the order their entries come.
    std::vector<std::string> categories() const;
    // The entry `by` steps after the one at `path` (before it when negative), round the
    // end of the list; from a path not listed, stepping forward starts at the first and
    // back at the last. Null when the list is empty.
    const PresetEntry* step(const std::string& path, int by) const;

private:
    std::vector<PresetEntry> entries_;
};

}  // namespace Vst
}  // namespace Steinberg
