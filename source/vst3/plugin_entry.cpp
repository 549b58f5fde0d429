// The module's class factory: one processor class and its controller class.
#include "vst3/main_vst_controller.h"
#include "vst3/main_vst_processor.h"
#include "vst3/plugin_ids.h"

#include "public.sdk/source/main/pluginfactory.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

using namespace Steinberg;

namespace {

FUnknown* createProcessor(void* /*context*/) {
    auto* processor = new Vst::MainVSTProcessor();
    processor->setControllerClass(taluma::kControllerUID);
    return static_cast<Vst::IAudioProcessor*>(processor);
}

FUnknown* createController(void* /*context*/) {
    return static_cast<Vst::IEditController*>(new Vst::MainVSTController());
}

// Builds the factory with its two classes; null if an allocation fails.
IPluginFactory* buildFactory() {
    PFactoryInfo factoryInfo(taluma::kVendorName, taluma::kVendorUrl, taluma::kVendorEmail,
                             PFactoryInfo::kUnicode);
    CPluginFactory* factory = nullptr;
    try {
        factory = new CPluginFactory(factoryInfo);
        TUID processorCid;
        TUID controllerCid;
        taluma::kProcessorUID.toTUID(processorCid);
        taluma::kControllerUID.toTUID(controllerCid);

        PClassInfo2 processorClass(processorCid, PClassInfo::kManyInstances, kVstAudioEffectClass,
                                   taluma::kProcessorName, Vst::kDistributable,
                                   taluma::kSubCategories, "", taluma::kVersionString,
                                   taluma::kSdkVersionString);
        PClassInfo2 controllerClass(controllerCid, PClassInfo::kManyInstances,
                                    kVstComponentControllerClass, taluma::kControllerName, 0, "",
                                    "", taluma::kVersionString, taluma::kSdkVersionString);
        factory->registerClass(&processorClass, createProcessor);
        factory->registerClass(&controllerClass, createController);
        return factory;
    } catch (...) {
        if (factory)
            factory->release();
        return nullptr;
    }
}

}  // namespace

extern "C" SMTG_EXPORT_SYMBOL IPluginFactory* PLUGIN_API GetPluginFactory() {
    if (gPluginFactory) {
        gPluginFactory->addRef();
        return gPluginFactory;
    }
    gPluginFactory = buildFactory();
    return gPluginFactory;
}
