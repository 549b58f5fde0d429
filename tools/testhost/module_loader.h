// Loads a VST 3 module from its bundle the way a DAW does: the platform loader, the
// library entry (ModuleEntry on Linux, InitDll on Windows), then GetPluginFactory.
#pragma once

#include "pluginterfaces/base/ipluginbase.h"

#include <memory>
#include <string>
#include <vector>

namespace taluma {
namespace testhost {

class Module {
public:
    // bundlePath: the "NAME.vst3" bundle folder, or the module binary itself. Returns null
    // and a readable reason in `error` when the module cannot be loaded.
    static std::unique_ptr<Module> load(const std::string& bundlePath, std::string& error);
    // The binary inside a bundle folder for this platform.
    static std::string binaryPath(const std::string& bundlePath);

    // Releases the factory, calls the library exit and unloads.
    ~Module();
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    Steinberg::IPluginFactory* factory() const { return factory_; }
    // An exported symbol of the module, or null.
    void* symbol(const char* name) const;
    // The registered classes in factory order.
    std::vector<Steinberg::PClassInfo2> classes() const;

private:
    Module() = default;
    void* handle_ = nullptr;
    bool entered_ = false;  // the library entry succeeded: call its exit
    Steinberg::IPluginFactory* factory_ = nullptr;
};

}  // namespace testhost
}  // namespace taluma
