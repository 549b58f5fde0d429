#include "lv2/lv2_uris.h"
#include "lv2/port_map.h"
#include "lv2/turtle.h"
#include "vst3/parameter_table.h"
#include "vst3/plugin_ids.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace taluma::lv2 {

namespace {

constexpr const char* kPrefixes = "@prefix atom:  <http://lv2plug.in/ns/ext/atom#> .\n"
                                  "@prefix doap:  <http://usefulinc.com/ns/doap#> .\n"
                                  "@prefix foaf:  <http://xmlns.com/foaf/0.1/> .\n"
                                  "@prefix lv2:   <http://lv2plug.in/ns/lv2core#> .\n"
                                  "@prefix midi:  <http://lv2plug.in/ns/ext/midi#> .\n"
                                  "@prefix opts:  <http://lv2plug.in/ns/ext/options#> .\n"
                                  "@prefix pset:  <http://lv2plug.in/ns/ext/presets#> .\n"
                                  "@prefix rdfs:  <http://www.w3.org/2000/01/rdf-schema#> .\n"
                                  "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
                                  "@prefix ui:    <http://lv2plug.in/ns/extensions/ui#> .\n"
                                  "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
                                  "@prefix urid:  <http://lv2plug.in/ns/ext/urid#> .\n"
                                  "@prefix bufsz: <http://lv2plug.in/ns/ext/buf-size#> .\n\n";

std::string number(double v) {
    char text[32];
    if (v == std::floor(v) && std::fabs(v) < 1e15)
        std::snprintf(text, sizeof text, "%lld", static_cast<long long>(v));
    else
        std::snprintf(text, sizeof text, "%.9g", v);
    return text;
}

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}

// The labels hosts show for whole values: every value of an algorithm or LFO wave, the
// multiplier's "1/2"; the texts are the ones the VST 3 shell prints.
void scalePoints(std::ostringstream& out, const ParameterDescription& row) {
    const bool enumeration =
        row.text == ParameterText::kAlgorithm || row.text == ParameterText::kLfoWave;
    if (!enumeration && row.text != ParameterText::kMultiplier)
        return;
    const int32_t last = enumeration ? int32_t(row.plainMax) : int32_t(row.plainMin);
    out << "        lv2:scalePoint";
    for (int32_t v = int32_t(row.plainMin); v <= last; ++v) {
        const double normalized = (v - row.plainMin) / (row.plainMax - row.plainMin);
        out << (v == int32_t(row.plainMin) ? " " : " ,\n            ") << "[ rdfs:label "
            << quoted(formatParameter(row.id, normalized)) << " ; rdf:value " << v << " ]";
    }
    out << " ;\n";
    if (enumeration)
        out << "        lv2:portProperty lv2:enumeration ;\n";
}

void unit(std::ostringstream& out, const ParameterDescription& row) {
    switch (row.text) {
    case ParameterText::kSemitones: out << "        units:unit units:semitone12TET ;\n"; break;
    case ParameterText::kNote: out << "        units:unit units:midiNote ;\n"; break;
    case ParameterText::kBits:
        out << "        units:unit [ a units:Unit ; rdfs:label \"bit\" ; units:symbol \"bit\" ;"
               " units:render \"%f bit\" ] ;\n";
        break;
    default: break;
    }
}

void controlPort(std::ostringstream& out, int i) {
    const ParameterDescription& row = controlPortRow(i);
    out << "    [\n        a lv2:InputPort , lv2:ControlPort ;\n"
        << "        lv2:index " << kFirstControlPort + i << " ;\n"
        << "        lv2:symbol " << quoted(portSymbol(row)) << " ;\n"
        << "        lv2:name " << quoted(isEnabledPort(row) ? "Enabled" : row.title) << " ;\n"
        << "        lv2:default " << number(portDefault(row)) << " ;\n"
        << "        lv2:minimum " << number(portMinimum(row)) << " ;\n"
        << "        lv2:maximum " << number(portMaximum(row)) << " ;\n";
    if (isEnabledPort(row))
        out << "        lv2:designation lv2:enabled ;\n"
            << "        lv2:portProperty lv2:toggled , lv2:integer ;\n";
    else if (isIntegerPort(row))
        out << "        lv2:portProperty lv2:integer ;\n";
    scalePoints(out, row);
    unit(out, row);
    out << "    ]";
}

}  // namespace

std::string manifestTurtle(const std::vector<BankPreset>& presets) {
    std::ostringstream out;
    out << kPrefixes;
    out << "<" << kPluginUri << ">\n    a lv2:Plugin , lv2:InstrumentPlugin ;\n"
        << "    lv2:binary <" << kBinaryName << "> ;\n"
        << "    rdfs:seeAlso <" << kPluginTtl << "> .\n\n";
    out << "<" << kUiUri << ">\n    a ui:X11UI ;\n"
        << "    ui:binary <" << kBinaryName << "> ;\n"
        << "    rdfs:seeAlso <" << kPluginTtl << "> .\n";
    for (const BankPreset& preset : presets)
        out << "\n<" << presetUri(preset.label) << ">\n    a pset:Preset ;\n"
            << "    lv2:appliesTo <" << kPluginUri << "> ;\n"
            << "    rdfs:label " << quoted(preset.label) << " ;\n"
            << "    rdfs:seeAlso <" << kPresetsTtl << "> .\n";
    return out.str();
}

std::string pluginTurtle() {
    std::ostringstream out;
    out << kPrefixes << "@prefix rdf:   <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n\n";
    out << "<" << kPluginUri << ">\n"
        << "    a lv2:Plugin , lv2:InstrumentPlugin , doap:Project ;\n"
        << "    doap:name " << quoted(kProcessorName) << " ;\n"
        << "    doap:license <https://www.gnu.org/licenses/gpl-3.0> ;\n"
        << "    doap:maintainer [ a foaf:Person ; foaf:name " << quoted(kVendorName)
        << " ; foaf:homepage <" << kVendorUrl << "> ] ;\n"
        << "    lv2:minorVersion 9 ;\n    lv2:microVersion 0 ;\n"
        << "    lv2:requiredFeature urid:map ;\n"
        << "    lv2:optionalFeature lv2:hardRTCapable , opts:options , bufsz:boundedBlockLength ;\n"
        << "    opts:supportedOption bufsz:maxBlockLength ;\n"
        << "    lv2:extensionData state:interface ;\n"
        << "    ui:ui <" << kUiUri << "> ;\n"
        << "    lv2:port [\n"
        << "        a lv2:InputPort , atom:AtomPort ;\n"
        << "        lv2:index " << kMidiInPort << " ;\n"
        << "        lv2:symbol \"midi_in\" ;\n        lv2:name \"MIDI In\" ;\n"
        << "        atom:bufferType atom:Sequence ;\n"
        << "        atom:supports midi:MidiEvent ;\n"
        << "        lv2:designation lv2:control ;\n    ] , [\n"
        << "        a lv2:OutputPort , lv2:AudioPort ;\n"
        << "        lv2:index " << kLeftOutPort << " ;\n"
        << "        lv2:symbol \"out_left\" ;\n        lv2:name \"Left\" ;\n    ] , [\n"
        << "        a lv2:OutputPort , lv2:AudioPort ;\n"
        << "        lv2:index " << kRightOutPort << " ;\n"
        << "        lv2:symbol \"out_right\" ;\n        lv2:name \"Right\" ;\n    ] ,\n";
    for (int i = 0; i < controlPortCount(); ++i)
        controlPort(out, i), out << (i + 1 < controlPortCount() ? " ,\n" : " .\n\n");
    // The state keys, as the properties they are.
    out << "<" << kStateKey << ">\n    a rdf:Property ;\n    rdfs:label \"state\" ;\n"
        << "    rdfs:comment \"The saved state: the state record and what follows it.\" ;\n"
        << "    rdfs:range atom:Chunk .\n\n";
    out << "<" << kPresetKey << ">\n    a rdf:Property ;\n    rdfs:label \"preset\" ;\n"
        << "    rdfs:comment \"A preset's state record: its sound.\" ;\n"
        << "    rdfs:range atom:Chunk .\n\n";
    // The window reaches the plug-in's instance in the host's process (see lv2_ui.cpp).
    out << "<" << kUiUri << ">\n    a ui:X11UI ;\n"
        << "    ui:binary <" << kBinaryName << "> ;\n"
        << "    lv2:requiredFeature ui:parent , ui:idleInterface ,"
           " <http://lv2plug.in/ns/ext/instance-access> ;\n"
        << "    lv2:optionalFeature ui:resize , opts:options ;\n"
        << "    lv2:extensionData ui:idleInterface .\n";
    return out.str();
}

std::string presetUri(const std::string& label) {
    std::string slug;
    for (char c : label)
        slug += (std::isalnum(static_cast<unsigned char>(c)) ? c : '-');
    return kPresetUriBase + slug;
}

}  // namespace taluma::lv2
