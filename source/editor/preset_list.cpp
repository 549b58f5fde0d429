#include "editor/preset_list.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace Steinberg {
namespace Vst {

namespace {

namespace fs = std::filesystem;

constexpr const char* kExtension = ".tlmprst";
constexpr const char* kCategorySeparator = " - ";

std::string lowerCase(std::string s) {
    for (char& c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The ".tlmprst" files of a folder by name, regardless of case.
std::vector<fs::path> presetFiles(const std::string& folder) {
    std::vector<fs::path> files;
    if (folder.empty())
        return files;
    std::error_code error;
    for (fs::directory_iterator it(fs::u8path(folder), error), end; !error && it != end;
         it.increment(error)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError) &&
            lowerCase(it->path().extension().u8string()) == kExtension)
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end(), [](const fs::path& a, const fs::path& b) {
        return lowerCase(a.filename().u8string()) < lowerCase(b.filename().u8string());
    });
    return files;
}

// "<Category> - <Name>" split in two; no category when the separator is missing.
std::pair<std::string, std::string> splitName(const std::string& stem) {
    const size_t split = stem.find(kCategorySeparator);
    if (split == std::string::npos)
        return {"", stem};
    return {stem.substr(0, split), stem.substr(split + std::string(kCategorySeparator).size())};
}

}  // namespace

std::string presetNameOf(const std::string& path) {
    return splitName(fs::u8path(path).stem().u8string()).second;
}

void PresetList::scan(const std::string& bankFolder, const std::string& userFolder) {
    entries_.clear();
    for (const fs::path& file : presetFiles(bankFolder)) {
        const auto [category, name] = splitName(file.stem().u8string());
        entries_.push_back({category.empty() ? "Factory" : category, name, file.u8string()});
    }
    for (const fs::path& file : presetFiles(userFolder))
        entries_.push_back({kUserCategory, file.stem().u8string(), file.u8string()});
}

std::vector<std::string> PresetList::categories() const {
    std::vector<std::string> out;
    for (const PresetEntry& e : entries_)
        if (out.empty() || out.back() != e.category)
            out.push_back(e.category);
    return out;
}

const PresetEntry* PresetList::step(const std::string& path, int by) const {
    if (entries_.empty())
        return nullptr;
    const int count = int(entries_.size());
    const auto at = std::find_if(entries_.begin(), entries_.end(),
                                 [&](const PresetEntry& e) { return e.path == path; });
    int index = 0;
    if (at != entries_.end())
        index = ((int(at - entries_.begin()) + by) % count + count) % count;
    else
        index = by >= 0 ? 0 : count - 1;
    return &entries_[size_t(index)];
}

}  // namespace Vst
}  // namespace Steinberg
