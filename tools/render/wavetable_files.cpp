#include "wavetable_files.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "synth/command_tags.h"
#include "input_error.h"
#include "input_files.h"
#include "wavetable/wav_file.h"

namespace taluma::render {

namespace {

std::string lowerExtension(const std::string& path) {
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return "";
    std::string ext = path.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

}  // namespace

WavetableKind checkWavetableFile(const std::string& path) {
    const std::string ext = lowerExtension(path);
    if (ext != ".txt" && ext != ".wav")
        throw InputError("'" + path + "': a wavetable file ends in .txt (hex text) or .wav");
    const std::vector<uint8_t> bytes = readBinaryFile(path, "wavetable file");
    if (ext == ".wav") {
        const size_t length = std::min(bytes.size(), kMaxWavBytes);
        const RiffRecord record = parseRiff(bytes.data(), length);
        if (!record.file || bytes.size() > kMaxWavBytes || record.formatTag != 1 ||
            record.channels != 1 || !record.data)
            throw InputError("'" + path + "': the plug-in takes a mono PCM WAV file of at most " +
                             std::to_string(kMaxWavBytes) + " bytes");
        return WavetableKind::Wav;
    }
    const std::string text(bytes.begin(), std::find(bytes.begin(), bytes.end(), '\n'));
    bool found = false;
    for (size_t i = 0; i + 1 < text.size() && !found; ++i)
        found = isHexDigit(text[i]) && isHexDigit(text[i + 1]);
    if (!found)
        throw InputError(
            "'" + path +
            "': no samples on the first line (two upper-case hex digits each, such as 80 FF)");
    return WavetableKind::Text;
}

int32_t wavetableImportCode(WavetableKind kind, int op) {
    return cmd::file::importTable(op,
                                  kind == WavetableKind::Wav ? cmd::file::kWav : cmd::file::kText);
}

}  // namespace taluma::render
