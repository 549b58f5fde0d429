// The names this plug-in gives itself in LV2: the plug-in, its window, its state keys and
// presets, and the files of the bundle. The Turtle generator and the binary share them.
#pragma once

namespace taluma::lv2 {

constexpr const char* kPluginUri = "https://taluma-w.example.org/lv2";
constexpr const char* kUiUri = "https://taluma-w.example.org/lv2#ui";
// The state as a session saves it: the record and the extension after it, exactly the
// bytes of the VST 3 component state.
constexpr const char* kStateKey = "https://taluma-w.example.org/lv2#state";
// A preset's state: the 858-byte record alone, which changes the sound only.
constexpr const char* kPresetKey = "https://taluma-w.example.org/lv2#preset";
constexpr const char* kPresetUriBase = "https://taluma-w.example.org/lv2/preset/";

constexpr const char* kBundleName = "taluma-w.lv2";
constexpr const char* kBinaryName = "taluma-w.so";
constexpr const char* kPluginTtl = "taluma-w.ttl";
constexpr const char* kPresetsTtl = "presets.ttl";

}  // namespace taluma::lv2
