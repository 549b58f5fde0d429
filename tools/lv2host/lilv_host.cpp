#include "lilv_host.h"

#include "lv2/lv2_uris.h"

#include <lv2/atom/util.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/midi/midi.h>
#include <lv2/options/options.h>
#include <lv2/presets/presets.h>
#include <lv2/state/state.h>

#include <cstring>

namespace taluma::lv2host {

namespace {

LV2_URID mapUri(LV2_URID_Map_Handle handle, const char* uri) {
    return static_cast<LilvHost*>(handle)->map(uri);
}

const char* unmapUrid(LV2_URID_Unmap_Handle handle, LV2_URID urid) {
    return static_cast<LilvHost*>(handle)->unmap(urid);
}

}  // namespace

LilvHost::LilvHost(const std::string& bundleDir, int32_t maxBlock) : maxBlock_(maxBlock) {
    world_ = lilv_world_new();
    // lilv names bundles by URI with a closing slash; the path may hold spaces.
    std::string path = bundleDir;
    if (path.empty() || path.back() != '/')
        path += '/';
    LilvNode* bundle = lilv_new_file_uri(world_, nullptr, path.c_str());
    lilv_world_load_bundle(world_, bundle);
    lilv_node_free(bundle);
    LILV_FOREACH(plugins, i, lilv_world_get_all_plugins(world_)) {
        const LilvPlugin* p = lilv_plugins_get(lilv_world_get_all_plugins(world_), i);
        if (std::strcmp(lilv_node_as_uri(lilv_plugin_get_uri(p)), lv2::kPluginUri) == 0)
            plugin_ = p;
    }
    map_ = {this, mapUri};
    unmap_ = {this, unmapUrid};
    options_[0] = {
        LV2_OPTIONS_INSTANCE, 0,         map(LV2_BUF_SIZE__maxBlockLength), sizeof(int32_t),
        map(LV2_ATOM__Int),   &maxBlock_};
    mapFeature_ = {LV2_URID__map, &map_};
    unmapFeature_ = {LV2_URID__unmap, &unmap_};
    optionsFeature_ = {LV2_OPTIONS__options, options_};
    features_[0] = &mapFeature_;
    features_[1] = &unmapFeature_;
    features_[2] = &optionsFeature_;
    if (plugin_) {
        LilvNode* preset = lilv_new_uri(world_, LV2_PRESETS__Preset);
        related_ = lilv_plugin_get_related(plugin_, preset);
        lilv_node_free(preset);
    }
}

LilvHost::~LilvHost() {
    lilv_nodes_free(related_);
    lilv_world_free(world_);
}

LV2_URID LilvHost::map(const char* uri) {
    auto [it, added] = ids_.emplace(uri, LV2_URID(uris_.size() + 1));
    if (added)
        uris_.push_back(uri);
    return it->second;
}

const char* LilvHost::unmap(LV2_URID urid) const {
    return urid >= 1 && urid <= uris_.size() ? uris_[urid - 1].c_str() : nullptr;
}

std::map<std::string, const LilvNode*> LilvHost::presets() const {
    std::map<std::string, const LilvNode*> found;
    LilvNode* label = lilv_new_uri(world_, LILV_NS_RDFS "label");
    LILV_FOREACH(nodes, i, related_) {
        const LilvNode* preset = lilv_nodes_get(related_, i);
        lilv_world_load_resource(world_, preset);
        LilvNodes* labels = lilv_world_find_nodes(world_, preset, label, nullptr);
        if (labels && lilv_nodes_size(labels) > 0)
            found[lilv_node_as_string(lilv_nodes_get_first(labels))] = preset;
        lilv_nodes_free(labels);
    }
    lilv_node_free(label);
    return found;
}

Lv2Instance::Lv2Instance(LilvHost& host, double sampleRate) : host_(host) {
    const LilvPlugin* plugin = host.plugin();
    if (!plugin)
        return;
    instance_ = lilv_plugin_instantiate(plugin, sampleRate, host.features());
    if (!instance_)
        return;
    const uint32_t ports = lilv_plugin_get_num_ports(plugin);
    controls_.assign(ports, 0.0f);
    std::vector<float> defaults(ports, 0.0f);
    lilv_plugin_get_port_ranges_float(plugin, nullptr, nullptr, defaults.data());
    LilvNode* control = lilv_new_uri(host.world(), LV2_CORE__ControlPort);
    for (uint32_t i = 0; i < ports; ++i) {
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, i);
        indices_[lilv_node_as_string(lilv_port_get_symbol(plugin, port))] = i;
        if (lilv_port_is_a(plugin, port, control)) {
            controls_[i] = defaults[i];
            lilv_instance_connect_port(instance_, i, &controls_[i]);
        }
    }
    lilv_node_free(control);
    lilv_instance_connect_port(instance_, 0, sequence_);
    lv2_atom_forge_init(&forge_, host.mapFeature());
    clearMidi();
    lilv_instance_activate(instance_);
}

Lv2Instance::~Lv2Instance() {
    if (instance_) {
        lilv_instance_deactivate(instance_);
        lilv_instance_free(instance_);
    }
}

bool Lv2Instance::midi(uint32_t frame, uint8_t status, uint8_t d1, uint8_t d2) {
    // A stamp, an atom header and the three bytes padded to eight. The forge would write
    // a part of an event that does not fit and count it in the sequence's size.
    constexpr uint32_t kEventBytes = sizeof(int64_t) + sizeof(LV2_Atom) + 8;
    if (forge_.offset + kEventBytes > forge_.size)
        return false;
    const uint8_t bytes[3] = {status, d1, d2};
    lv2_atom_forge_frame_time(&forge_, frame);
    lv2_atom_forge_atom(&forge_, 3, host_.map(LV2_MIDI__MidiEvent));
    lv2_atom_forge_write(&forge_, bytes, 3);
    return true;
}

void Lv2Instance::setPort(const std::string& symbol, float value) {
    controls_.at(indices_.at(symbol)) = value;
}

float Lv2Instance::port(const std::string& symbol) const {
    return controls_.at(indices_.at(symbol));
}

void Lv2Instance::run(uint32_t frames, float* left, float* right) {
    lilv_instance_connect_port(instance_, 1, left);
    lilv_instance_connect_port(instance_, 2, right);
    lilv_instance_run(instance_, frames);
    clearMidi();
}

void Lv2Instance::clearMidi() {
    lv2_atom_forge_set_buffer(&forge_, sequence_, sizeof(sequence_));
    lv2_atom_forge_sequence_head(&forge_, &frame_, 0);
}

namespace {

const void* portValue(const char* symbol, void* self, uint32_t* size, uint32_t* type) {
    auto* instance = static_cast<Lv2Instance*>(self);
    static float value;
    value = instance->port(symbol);
    *size = sizeof(float);
    *type = 0;
    return &value;
}

void setPortValue(const char* symbol, void* self, const void* value, uint32_t size, uint32_t) {
    if (size == sizeof(float))
        static_cast<Lv2Instance*>(self)->setPort(symbol, *static_cast<const float*>(value));
}

}  // namespace

LilvState* Lv2Instance::saveState() {
    return lilv_state_new_from_instance(host_.plugin(), instance_, host_.mapFeature(), nullptr,
                                        nullptr, nullptr, nullptr, portValue, this, 0,
                                        host_.features());
}

void Lv2Instance::restoreState(const LilvState* state) {
    lilv_state_restore(state, instance_, setPortValue, this, 0, host_.features());
}

namespace {

struct Stored {
    LilvHost* host;
    std::vector<uint8_t> bytes;
    const char* key;
    uint32_t type;
};

LV2_State_Status store(LV2_State_Handle handle, uint32_t, const void* value, size_t size, uint32_t,
                       uint32_t) {
    auto* stored = static_cast<Stored*>(handle);
    const auto* bytes = static_cast<const uint8_t*>(value);
    stored->bytes.assign(bytes, bytes + size);
    return LV2_STATE_SUCCESS;
}

const void* retrieve(LV2_State_Handle handle, uint32_t key, size_t* size, uint32_t* type,
                     uint32_t* flags) {
    auto* stored = static_cast<Stored*>(handle);
    if (key != stored->host->map(stored->key))
        return nullptr;
    *size = stored->bytes.size();
    *type = stored->type;
    *flags = LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE;
    return stored->bytes.data();
}

const LV2_State_Interface* stateInterface(LilvInstance* instance) {
    return static_cast<const LV2_State_Interface*>(
        lilv_instance_get_extension_data(instance, LV2_STATE__interface));
}

}  // namespace

std::vector<uint8_t> Lv2Instance::stateBytes() {
    const LV2_State_Interface* state = stateInterface(instance_);
    if (!state)
        return {};
    Stored stored{&host_, {}, nullptr, 0};
    state->save(lilv_instance_get_handle(instance_), store, &stored, 0, host_.features());
    return stored.bytes;
}

int Lv2Instance::restoreBytes(const std::vector<uint8_t>& bytes, const char* key) {
    const LV2_State_Interface* state = stateInterface(instance_);
    if (!state)
        return LV2_STATE_ERR_UNKNOWN;
    Stored stored{&host_, bytes, key, host_.map(LV2_ATOM__Chunk)};
    return state->restore(lilv_instance_get_handle(instance_), retrieve, &stored, 0,
                          host_.features());
}

}  // namespace taluma::lv2host
