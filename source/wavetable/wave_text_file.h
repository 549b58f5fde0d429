// Wavetable text files: one line of two-digit upper-case hexadecimal samples separated
// by single spaces, as many as the table has cells ("80 FF 80 00").
#pragma once

#include <string>

#include "wavetable/wave_store.h"

namespace taluma {

std::string formatWaveText(const WaveStore& store, int op);
// Fills the table's cells from the upper-case hex pairs of the first line (others
// ignored), clearing the cells no pair reached; commits. An empty text changes nothing.
void parseWaveText(WaveStore& store, int op, const std::string& text);

bool exportWaveText(const WaveStore& store, int op, const std::string& utf8Path);
// False when the file cannot be opened; the table is then unchanged.
bool importWaveText(WaveStore& store, int op, const std::string& utf8Path);

}  // namespace taluma
