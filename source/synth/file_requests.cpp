#include "synth/file_requests.h"

#include "synth/command_tags.h"
#include "synth/preset_file.h"
#include "synth/synth.h"
#include "wavetable/wav_file.h"
#include "wavetable/wave_text_file.h"

namespace taluma {

namespace {

using namespace cmd::file;

// Any character except a line break, followed by `suffix` at the very end.
bool endsWithAnyThen(const std::string& path, const char (&suffix)[4]) {
    const size_t n = path.size();
    if (n < 4 || path.compare(n - 3, 3, suffix) != 0)
        return false;
    const char before = path[n - 4];
    return before != '\n' && before != '\r';
}

// The format a request reads or writes: text, WAV, or 0 for none.
int32_t chosenFormat(int32_t code, const std::string& path) {
    switch (code & kFormatMask) {
    case kText: return kText;
    case kWav: return kWav;
    case kByName:
        if (namesWavFile(path))
            return kWav;
        if (namesTextFile(path))
            return kText;
        return 0;
    default: return 0;
    }
}

void importTable(Synth& synth, int op, int32_t format, const std::string& path) {
    Synth::Edit edit(synth);
    RecordedTableChange recorded(edit.history(), edit.waves());
    if (format == kText)
        importWaveText(edit.waves(), op, path);
    else if (format == kWav)
        importWav(edit.waves(), op, path);
}

void exportTable(Synth& synth, int op, int32_t format, const std::string& path) {
    Synth::Edit edit(synth);
    if (format == kText)
        exportWaveText(edit.waves(), op, path);
    else if (format == kWav)
        exportWav(edit.waves(), op, path);
}

}  // namespace

bool namesWavFile(const std::string& path) {
    return endsWithAnyThen(path, "wav");
}
bool namesTextFile(const std::string& path) {
    return endsWithAnyThen(path, "txt");
}

void handleFileSelect(Synth& synth, int32_t code, const std::string& utf8Path,
                      const UiUpdate& uiUpdate) {
    const int op = code & kOperatorBit;
    if (code & kImportTable) {
        if ((code & kFormatMask) == 0)
            return;
        importTable(synth, op, chosenFormat(code, utf8Path), utf8Path);
        if (uiUpdate)
            uiUpdate();
    } else if (code & kExportTable) {
        exportTable(synth, op, chosenFormat(code, utf8Path), utf8Path);
    } else if (code & kImportPreset) {
        // The file is read here, never on the audio thread; applying the record holds
        // the audio thread off the engine for at most one block. The editor refreshes
        // on the notice, loaded or not.
        loadPresetFile(synth, utf8Path);
        synth.notifyChange(change::kPresetLoad);
    } else if (code & kExportPreset) {
        exportPresetFile(synth, utf8Path);
    }
}

}  // namespace taluma
