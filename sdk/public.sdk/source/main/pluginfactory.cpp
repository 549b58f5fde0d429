#include "public.sdk/source/main/pluginfactory.h"

#include "pluginterfaces/base/ustring.h"

#include <cstring>

namespace Steinberg {

IPluginFactory* gPluginFactory = nullptr;

CPluginFactory::CPluginFactory(const PFactoryInfo& info) : factoryInfo(info) {}

CPluginFactory::~CPluginFactory() {
    if (gPluginFactory == this)
        gPluginFactory = nullptr;
    if (hostContext)
        hostContext->release();
}

bool CPluginFactory::registerClass(const PClassInfo2* info, CreateInstanceFunc createFunc,
                                   void* context) {
    if (!info || !createFunc || isClassRegistered(FUID::fromTUID(info->cid)))
        return false;
    classes.push_back({*info, createFunc, context});
    return true;
}

bool CPluginFactory::isClassRegistered(const FUID& cid) const {
    for (const auto& entry : classes)
        if (FUID::fromTUID(entry.info.cid) == cid)
            return true;
    return false;
}

const CPluginFactory::ClassEntry* CPluginFactory::entryAt(int32 index) const {
    if (index < 0 || index >= static_cast<int32>(classes.size()))
        return nullptr;
    return &classes[static_cast<size_t>(index)];
}

tresult PLUGIN_API CPluginFactory::getFactoryInfo(PFactoryInfo* info) {
    if (!info)
        return kInvalidArgument;
    std::memcpy(info, &factoryInfo, sizeof(PFactoryInfo));
    return kResultOk;
}

int32 PLUGIN_API CPluginFactory::countClasses() {
    return static_cast<int32>(classes.size());
}

tresult PLUGIN_API CPluginFactory::getClassInfo(int32 index, PClassInfo* info) {
    const ClassEntry* entry = entryAt(index);
    if (!info)
        return kInvalidArgument;
    if (!entry)
        return kInvalidArgument;
    std::memset(info, 0, sizeof(PClassInfo));
    std::memcpy(info->cid, entry->info.cid, sizeof(TUID));
    info->cardinality = entry->info.cardinality;
    strncpy8(info->category, entry->info.category, PClassInfo::kCategorySize);
    strncpy8(info->name, entry->info.name, PClassInfo::kNameSize);
    return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfo2(int32 index, PClassInfo2* info) {
    const ClassEntry* entry = entryAt(index);
    if (!info || !entry)
        return kInvalidArgument;
    std::memcpy(info, &entry->info, sizeof(PClassInfo2));
    return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfoUnicode(int32 index, PClassInfoW* info) {
    const ClassEntry* entry = entryAt(index);
    if (!info || !entry)
        return kInvalidArgument;
    info->fromAscii(entry->info);
    return kResultOk;
}

tresult PLUGIN_API CPluginFactory::createInstance(FIDString cid, FIDString iid, void** obj) {
    if (!obj)
        return kInvalidArgument;
    *obj = nullptr;
    if (!cid || !iid)
        return kInvalidArgument;
    for (const auto& entry : classes) {
        if (std::memcmp(entry.info.cid, cid, sizeof(TUID)) != 0)
            continue;
        FUnknown* instance = nullptr;
        try {
            instance = entry.createFunc(entry.context);
        } catch (...) {  // an allocation failed; nothing of it may reach the host
        }
        if (!instance)
            return kOutOfMemory;
        // The creation reference is dropped; the caller keeps the queried one.
        tresult result = instance->queryInterface(iid, obj);
        instance->release();
        if (result != kResultOk)
            *obj = nullptr;
        return result == kResultOk ? kResultOk : kNoInterface;
    }
    return kNoInterface;
}

tresult PLUGIN_API CPluginFactory::setHostContext(FUnknown* context) {
    if (context)
        context->addRef();
    if (hostContext)
        hostContext->release();
    hostContext = context;
    return kResultOk;
}

tresult PLUGIN_API CPluginFactory::queryInterface(const TUID iid, void** obj) {
    if (!iid || !obj)
        return kInvalidArgument;
    QUERY_INTERFACE(iid, obj, FUnknown::iid, IPluginFactory)
    QUERY_INTERFACE(iid, obj, IPluginFactory::iid, IPluginFactory)
    QUERY_INTERFACE(iid, obj, IPluginFactory2::iid, IPluginFactory2)
    QUERY_INTERFACE(iid, obj, IPluginFactory3::iid, IPluginFactory3)
    *obj = nullptr;
    return kNoInterface;
}

uint32 PLUGIN_API CPluginFactory::addRef() {
    return ++refCount;
}

uint32 PLUGIN_API CPluginFactory::release() {
    uint32 remaining = --refCount;
    if (remaining == 0)
        delete this;
    return remaining;
}

}  // namespace Steinberg
