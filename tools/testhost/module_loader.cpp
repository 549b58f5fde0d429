#include "module_loader.h"

#include "pluginterfaces/base/funknown.h"

#include <cstring>
#include <sys/stat.h>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace taluma {
namespace testhost {

using namespace Steinberg;

namespace {

using GetFactoryProc = IPluginFactory*(PLUGIN_API*)();
using BoolProc = bool (*)();
using ModuleEntryProc = bool (*)(void*);

bool isDirectory(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && (info.st_mode & S_IFDIR) != 0;
}

std::string stripSlashes(std::string path) {
    while (path.size() > 1 && (path.back() == '/' || path.back() == '\\'))
        path.pop_back();
    return path;
}

#if defined(_WIN32)
std::wstring widen(const std::string& utf8) {
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    std::wstring wide(n > 0 ? size_t(n) : 0, L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &wide[0], n);
    if (!wide.empty())
        wide.pop_back();  // the terminating NUL
    return wide;
}

void* openLibrary(const std::string& path, std::string& error) {
    HMODULE module = LoadLibraryW(widen(path).c_str());
    if (!module)
        error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    return reinterpret_cast<void*>(module);
}
void* findSymbol(void* handle, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}
void closeLibrary(void* handle) {
    FreeLibrary(static_cast<HMODULE>(handle));
}
#else
void* openLibrary(const std::string& path, std::string& error) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = dlerror();
        error = "cannot load " + path + ": " + (reason ? reason : "unknown error");
    }
    return handle;
}
void* findSymbol(void* handle, const char* name) {
    return dlsym(handle, name);
}
void closeLibrary(void* handle) {
    dlclose(handle);
}
#endif

}  // namespace

std::string Module::binaryPath(const std::string& bundlePath) {
    std::string bundle = stripSlashes(bundlePath);
    if (!isDirectory(bundle))
        return bundle;
    size_t slash = bundle.find_last_of("/\\");
    std::string name = slash == std::string::npos ? bundle : bundle.substr(slash + 1);
    if (name.size() > 5 && name.compare(name.size() - 5, 5, ".vst3") == 0)
        name.resize(name.size() - 5);
#if defined(_WIN32)
    return bundle + "/Contents/x86_64-win/" + name + ".vst3";
#else
    return bundle + "/Contents/x86_64-linux/" + name + ".so";
#endif
}

std::unique_ptr<Module> Module::load(const std::string& bundlePath, std::string& error) {
    const std::string binary = binaryPath(bundlePath);
    struct stat info {};
    if (stat(binary.c_str(), &info) != 0) {
        error = "no VST 3 module at " + binary;
        return nullptr;
    }
    std::unique_ptr<Module> module(new Module());
    module->handle_ = openLibrary(binary, error);
    if (!module->handle_)
        return nullptr;

#if defined(_WIN32)
    auto init = reinterpret_cast<BoolProc>(module->symbol("InitDll"));
    if (init && !init())
#else
    auto entry = reinterpret_cast<ModuleEntryProc>(module->symbol("ModuleEntry"));
    if (!entry) {
        error = binary + " does not export ModuleEntry";
        return nullptr;
    }
    if (!entry(module->handle_))
#endif
    {
        error = binary + ": the module's initialisation failed";
        return nullptr;
    }
    module->entered_ = true;

    auto getFactory = reinterpret_cast<GetFactoryProc>(module->symbol("GetPluginFactory"));
    if (!getFactory) {
        error = binary + " does not export GetPluginFactory";
        return nullptr;
    }
    module->factory_ = getFactory();
    if (!module->factory_) {
        error = binary + ": GetPluginFactory returned no factory";
        return nullptr;
    }
    return module;
}

Module::~Module() {
    if (factory_)
        factory_->release();
    if (handle_ && entered_) {
#if defined(_WIN32)
        if (auto exitDll = reinterpret_cast<BoolProc>(symbol("ExitDll")))
            exitDll();
#else
        if (auto moduleExit = reinterpret_cast<BoolProc>(symbol("ModuleExit")))
            moduleExit();
#endif
    }
    if (handle_)
        closeLibrary(handle_);
}

void* Module::symbol(const char* name) const {
    return handle_ ? findSymbol(handle_, name) : nullptr;
}

std::vector<PClassInfo2> Module::classes() const {
    std::vector<PClassInfo2> list;
    FUnknownPtr<IPluginFactory2> factory2(factory_);
    const int32 count = factory_->countClasses();
    for (int32 i = 0; i < count; ++i) {
        PClassInfo2 info;
        if (factory2 && factory2->getClassInfo2(i, &info) == kResultOk) {
            list.push_back(info);
            continue;
        }
        PClassInfo basic;
        if (factory_->getClassInfo(i, &basic) != kResultOk)
            continue;
        info = PClassInfo2();
        std::memcpy(info.cid, basic.cid, sizeof(TUID));
        info.cardinality = basic.cardinality;
        std::memcpy(info.category, basic.category, sizeof(basic.category));
        std::memcpy(info.name, basic.name, sizeof(basic.name));
        list.push_back(info);
    }
    return list;
}

}  // namespace testhost
}  // namespace taluma
