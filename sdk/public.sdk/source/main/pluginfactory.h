// CPluginFactory: the class factory a module hands to the host. Classes are registered
// with their PClassInfo2 record and a creation function; the host lists them and
// creates instances by class id.
#pragma once

#include "pluginterfaces/base/ipluginbase.h"

#include <atomic>
#include <vector>

namespace Steinberg {

using CreateInstanceFunc = FUnknown* (*)(void* context);

class CPluginFactory : public IPluginFactory3 {
public:
    explicit CPluginFactory(const PFactoryInfo& info);
    virtual ~CPluginFactory();

    // Adds a class; false if a class with the same id is registered already.
    bool registerClass(const PClassInfo2* info, CreateInstanceFunc createFunc,
                       void* context = nullptr);
    bool isClassRegistered(const FUID& cid) const;

    // IPluginFactory
    tresult PLUGIN_API getFactoryInfo(PFactoryInfo* info) SMTG_OVERRIDE;
    int32 PLUGIN_API countClasses() SMTG_OVERRIDE;
    tresult PLUGIN_API getClassInfo(int32 index, PClassInfo* info) SMTG_OVERRIDE;
    tresult PLUGIN_API createInstance(FIDString cid, FIDString iid, void** obj) SMTG_OVERRIDE;
    // IPluginFactory2
    tresult PLUGIN_API getClassInfo2(int32 index, PClassInfo2* info) SMTG_OVERRIDE;
    // IPluginFactory3
    tresult PLUGIN_API getClassInfoUnicode(int32 index, PClassInfoW* info) SMTG_OVERRIDE;
    tresult PLUGIN_API setHostContext(FUnknown* context) SMTG_OVERRIDE;

    // FUnknown
    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) SMTG_OVERRIDE;
    uint32 PLUGIN_API addRef() SMTG_OVERRIDE;
    uint32 PLUGIN_API release() SMTG_OVERRIDE;

private:
    struct ClassEntry {
        PClassInfo2 info;
        CreateInstanceFunc createFunc;
        void* context;
    };

    const ClassEntry* entryAt(int32 index) const;

    std::atomic<uint32> refCount{1};
    PFactoryInfo factoryInfo;
    std::vector<ClassEntry> classes;
    FUnknown* hostContext = nullptr;
};

// The module's one factory, kept by GetPluginFactory; cleared when it is destroyed.
extern IPluginFactory* gPluginFactory;

}  // namespace Steinberg
