// Wavetable files given to the renderer (--table-a, --table-b): checked before the
// plug-in is loaded, so that a file the plug-in would quietly ignore is reported.
#pragma once

#include <cstdint>
#include <string>

namespace taluma::render {

enum class WavetableKind { Text, Wav };

// The kind by the file's extension (.txt or .wav, any case), after checking that the
// plug-in will take the content. Throws InputError.
WavetableKind checkWavetableFile(const std::string& path);

// The file-request code that imports this kind into operator op (0 = A, 1 = B).
int32_t wavetableImportCode(WavetableKind kind, int op);

}  // namespace taluma::render
