#include "lv2_target.h"

#include <lv2/core/lv2.h>
#include <lv2/midi/midi.h>

#include <cstdio>
#include <stdexcept>

#include "engine/parameter_descriptions.h"
#include "lv2/lv2_uris.h"
#include "lv2/port_map.h"

namespace taluma::render {
namespace {

// The controller number the parameter rows give pitch bend (the VST 3 mapping's).
constexpr int kPitchBendController = 129;

// LV2 offers no way to ask a plug-in for its MIDI mapping; the plug-in builds it from
// the parameter rows, so they tell which controllers it maps.
bool mapsController(int number) {
    int count = 0;
    const ParameterDescription* rows = parameterDescriptions(count);
    for (int i = 0; i < count; ++i)
        if (rows[i].midiController == number)
            return true;
    return false;
}

}  // namespace

Delivery Lv2Target::deliver(const TimedEvent& e, int32_t offset) {
    const uint8_t channel = uint8_t(e.channel & 15);
    const uint8_t number = uint8_t(e.number & 127), value = uint8_t(e.value & 127);
    bool queued = true;
    switch (e.kind) {
    case EventKind::NoteOn:
        // Velocity as the byte: the plug-in divides it by 127 as the VST 3 path does.
        queued = plugin_.midi(offset, LV2_MIDI_MSG_NOTE_ON | channel, number, value);
        break;
    case EventKind::NoteOff:
        queued = plugin_.midi(offset, LV2_MIDI_MSG_NOTE_OFF | channel, number, 0);
        break;
    case EventKind::Controller:
        if (!mapsController(e.number))
            return Delivery::UnmappedController;
        queued = plugin_.midi(offset, LV2_MIDI_MSG_CONTROLLER | channel, number, value);
        break;
    case EventKind::PitchBend:
        if (!mapsController(kPitchBendController))
            return Delivery::UnmappedController;
        queued = plugin_.midi(offset, LV2_MIDI_MSG_BENDER | channel, uint8_t(e.value & 127),
                              uint8_t((e.value >> 7) & 127));
        break;
    case EventKind::Parameter: {
        const ParameterDescription* row = describeParameter(e.paramId);
        if (!row || lv2::controlPortOf(e.paramId) < 0 || !plugin_.hasPort(lv2::portSymbol(*row)))
            return Delivery::UnmappedParameter;
        plugin_.setPort(lv2::portSymbol(*row), lv2::portFromNormalized(*row, e.normalized));
        return offset == 0 ? Delivery::Taken : Delivery::AtBlockStart;
    }
    }
    if (!queued)
        throw std::runtime_error(
            "more MIDI events in one block than the LV2 host's buffer holds; try a smaller "
            "--block");
    return Delivery::Taken;
}

void Lv2Target::process(int32_t frames, float* left, float* right) {
    plugin_.run(uint32_t(frames), left, right);
}

void restoreLv2State(lv2host::Lv2Instance& plugin, const std::vector<uint8_t>& bytes) {
    const int status = plugin.restoreBytes(bytes, lv2::kStateKey);
    if (status != 0)
        throw std::runtime_error("the LV2 plug-in refused the state (LV2 state status " +
                                 std::to_string(status) + ")");
    // A block of no frames makes the plug-in take the state up now, so that a port set
    // before the first block counts as moved after the restore.
    plugin.run(0, nullptr, nullptr);
}

std::vector<uint8_t> savedLv2State(lv2host::Lv2Instance& plugin) {
    return plugin.stateBytes();
}

std::string describePorts(lv2host::LilvHost& host) {
    const LilvPlugin* plugin = host.plugin();
    LilvNode* control = lilv_new_uri(host.world(), LV2_CORE__ControlPort);
    LilvNode* input = lilv_new_uri(host.world(), LV2_CORE__InputPort);
    std::string out = "id          port  symbol                default  min .. max  name\n";
    for (uint32_t i = 0; i < lilv_plugin_get_num_ports(plugin); ++i) {
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, i);
        if (!lilv_port_is_a(plugin, port, control) || !lilv_port_is_a(plugin, port, input))
            continue;
        const std::string symbol = lilv_node_as_string(lilv_port_get_symbol(plugin, port));
        std::string id = "-";
        for (int p = 0; p < lv2::controlPortCount(); ++p)
            if (lv2::portSymbol(lv2::controlPortRow(p)) == symbol) {
                char hex[16];
                std::snprintf(hex, sizeof hex, "0x%X", unsigned(lv2::controlPortRow(p).id));
                id = hex;
            }
        LilvNode *def = nullptr, *min = nullptr, *max = nullptr;
        lilv_port_get_range(plugin, port, &def, &min, &max);
        LilvNode* name = lilv_port_get_name(plugin, port);
        char line[256];
        std::snprintf(line, sizeof line, "%-10s  %4u  %-20s  %7g  %g .. %g  %s\n", id.c_str(), i,
                      symbol.c_str(), def ? lilv_node_as_float(def) : 0.0,
                      min ? lilv_node_as_float(min) : 0.0, max ? lilv_node_as_float(max) : 0.0,
                      name ? lilv_node_as_string(name) : "");
        out += line;
        for (LilvNode* node : {def, min, max, name})
            lilv_node_free(node);
    }
    lilv_node_free(input);
    lilv_node_free(control);
    return out;
}

}  // namespace taluma::render
