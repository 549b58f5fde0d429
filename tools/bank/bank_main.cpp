// taluma-bank: writes the factory bank from its descriptions.
//   taluma-bank FOLDER     FOLDER/<name>.vstpreset and FOLDER/tlmprst/<name>.tlmprst
//   taluma-bank --install  the same into the user's VST 3 preset folder of the instrument
//   taluma-bank --list     the bank as a Markdown table (name, category, description)
#include <cstdio>
#include <string>

#include "bank_files.h"
#include "vst3/factory_bank_folder.h"
#include "factory_presets.h"

using namespace taluma;
using namespace taluma::bank;

namespace {

void printList() {
    std::printf("| preset | category | sound |\n|---|---|---|\n");
    for (const Preset& p : factoryPresets())
        std::printf("| %s | %s | %s |\n", p.name.c_str(), categoryName(p.category), p.line.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const std::string arg = argc == 2 ? argv[1] : "";
    if (arg.empty() || arg == "-h" || arg == "--help") {
        std::fprintf(arg.empty() ? stderr : stdout,
                     "Usage: taluma-bank FOLDER | --install | --list\n");
        return arg.empty() ? 1 : 0;
    }
    if (arg == "--list") {
        printList();
        return 0;
    }
    const std::string folder = arg == "--install" ? instrumentPresetFolder() : arg;
    if (folder.empty()) {
        std::fprintf(stderr, "taluma-bank: the user's preset folder is unknown (no HOME)\n");
        return 1;
    }
    std::string error;
    if (!writeBank(factoryPresets(), folder, error)) {
        std::fprintf(stderr, "taluma-bank: %s\n", error.c_str());
        return 1;
    }
    std::printf("taluma-bank: %zu presets in %s\n", factoryPresets().size(), folder.c_str());
    return 0;
}
