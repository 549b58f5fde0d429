#include "lv2/lv2_uris.h"
#include "lv2/port_map.h"
#include "lv2/turtle.h"
#include "synth/state_record.h"
#include "vst3/parameter_table.h"

#include <cstdio>
#include <sstream>

namespace taluma::lv2 {

namespace {

std::string base64(const std::vector<uint8_t>& bytes) {
    static const char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const uint32_t b0 = bytes[i];
        const uint32_t b1 = i + 1 < bytes.size() ? bytes[i + 1] : 0;
        const uint32_t b2 = i + 2 < bytes.size() ? bytes[i + 2] : 0;
        const uint32_t triple = b0 << 16 | b1 << 8 | b2;
        out += kDigits[triple >> 18 & 63];
        out += kDigits[triple >> 12 & 63];
        out += i + 1 < bytes.size() ? kDigits[triple >> 6 & 63] : '=';
        out += i + 2 < bytes.size() ? kDigits[triple & 63] : '=';
    }
    return out;
}

// The value each port shows once the record is loaded, as the plug-in reads it back, so
// that a host applying the preset's port values and its state gets one sound.
void portValues(std::ostringstream& out, const std::vector<uint8_t>& record) {
    bool first = true;
    for (const auto& [id, v] : recordedValues(record.data(), record.size())) {
        const int32_t port = controlPortOf(id);
        if (port < 0)
            continue;
        const ParameterDescription& row = controlPortRow(port - int32_t(kFirstControlPort));
        char value[32];
        std::snprintf(value, sizeof value, "%.9g",
                      double(portFromNormalized(row, readBackValue(id, v))));
        out << (first ? "    lv2:port [\n" : " , [\n") << "        lv2:symbol \"" << portSymbol(row)
            << "\" ;\n        pset:value " << value << "\n    ]";
        first = false;
    }
    if (!first)
        out << " ;\n";
}

}  // namespace

std::string presetsTurtle(const std::vector<BankPreset>& presets) {
    std::ostringstream out;
    out << "@prefix lv2:   <http://lv2plug.in/ns/lv2core#> .\n"
        << "@prefix pset:  <http://lv2plug.in/ns/ext/presets#> .\n"
        << "@prefix rdfs:  <http://www.w3.org/2000/01/rdf-schema#> .\n"
        << "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
        << "@prefix xsd:   <http://www.w3.org/2001/XMLSchema#> .\n";
    for (const BankPreset& preset : presets) {
        out << "\n<" << presetUri(preset.label) << ">\n    a pset:Preset ;\n"
            << "    lv2:appliesTo <" << kPluginUri << "> ;\n"
            << "    rdfs:label \"" << preset.label << "\" ;\n";
        portValues(out, preset.record);
        out << "    state:state [\n        <" << kPresetKey << "> \"" << base64(preset.record)
            << "\"^^xsd:base64Binary\n    ] .\n";
    }
    return out.str();
}

}  // namespace taluma::lv2
