// taluma-skingen: draws the editor's bitmaps of both skins.
//
//   taluma-skingen write DIR [--scale S]   writes every bitmap of both skins into DIR
//   taluma-skingen check DIR [--scale S] [--subset]
//       fails unless DIR holds exactly the bitmaps the generator draws (with --subset:
//       unless every PNG in DIR equals the bitmap of its name)
//   taluma-skingen sheets DIR              writes one contact sheet per skin into DIR
//
// The module embeds the 1x bitmaps committed under resource/; the native test suite
// checks them against this program. --scale 2 (or 3) draws the same pictures for
// high-DPI screens.
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <exception>
#include <set>
#include <string>
#include "render.h"
#include "sheet.h"

using namespace taluma;
using namespace taluma::skingen;

namespace {

std::set<std::string> pngsIn(const std::string& dir) {
    std::set<std::string> names;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d)) {
            std::string n = e->d_name;
            if (n.size() > 4 && n.compare(n.size() - 4, 4, ".png") == 0)
                names.insert(n);
        }
        closedir(d);
    }
    return names;
}

int write(const std::string& dir, double scale) {
    int failures = 0;
    for (const layout::Bitmap& b : layout::kBitmaps)
        for (int skin = 0; skin < (b.skinned ? 2 : 1); ++skin) {
            try {
                writeFile(dir + "/" + layout::skinnedName(b.name, skin),
                          encodePng(render(b, skin, scale).get()));
            } catch (const std::exception& e) {
                std::fprintf(stderr, "%s\n", e.what());
                ++failures;
            }
        }
    return failures ? 1 : 0;
}

int check(const std::string& dir, double scale, bool subset) {
    std::set<std::string> files = pngsIn(dir);
    int failures = 0;
    for (const layout::Bitmap& b : layout::kBitmaps)
        for (int skin = 0; skin < (b.skinned ? 2 : 1); ++skin) {
            std::string name = layout::skinnedName(b.name, skin);
            if (files.erase(name) == 0) {
                if (!subset) {
                    std::fprintf(stderr, "missing: %s\n", name.c_str());
                    ++failures;
                }
                continue;
            }
            Surface drawn = decodePng(encodePng(render(b, skin, scale).get()));
            Surface stored = decodePng(readFile(dir + "/" + name));
            if (!stored || !samePixels(drawn.get(), stored.get())) {
                std::fprintf(stderr, "differs from the generator: %s\n", name.c_str());
                ++failures;
            }
        }
    for (const std::string& extra : files) {
        std::fprintf(stderr, "not a bitmap of the editor: %s\n", extra.c_str());
        ++failures;
    }
    if (failures)
        std::fprintf(stderr, "%d bitmaps in %s do not match; run taluma-skingen write %s\n",
                     failures, dir.c_str(), dir.c_str());
    return failures ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s write|check|sheets DIR [--scale S] [--subset]\n", argv[0]);
        return 2;
    }
    std::string mode = argv[1], dir = argv[2];
    double scale = 1;
    bool subset = false;
    for (int i = 3; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--scale" && i + 1 < argc)
            scale = std::atof(argv[++i]);
        else if (a == "--subset")
            subset = true;
    }
    if (!(scale >= 1 && scale <= 4)) {
        std::fprintf(stderr, "the scale must be between 1 and 4\n");
        return 2;
    }
    try {
        if (mode == "write")
            return write(dir, scale);
        if (mode == "check")
            return check(dir, scale, subset);
        if (mode == "sheets")
            return writeContactSheets(dir);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "taluma-skingen: %s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
    return 2;
}
