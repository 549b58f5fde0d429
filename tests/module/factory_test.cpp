// The module as a host sees it: exports, factory record, class records byte for byte,
// and the controller's class identity.
#include "bundle_fixture.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstmidicontrollers.h"
#include "pluginterfaces/vst/ivstunits.h"

#include <cstring>

namespace taluma {
namespace test {
namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;

std::vector<uint8_t> bytesOf(const TUID cid) {
    return std::vector<uint8_t>(reinterpret_cast<const uint8_t*>(cid),
                                reinterpret_cast<const uint8_t*>(cid) + 16);
}

// The 16 bytes a host receives for a class id given as four words.
std::vector<uint8_t> expectedBytes(const std::vector<uint8_t>& comLayout, const uint32_t words[4]) {
#if defined(_WIN32)
    (void)words;
    return comLayout;
#else
    (void)comLayout;
    std::vector<uint8_t> plain;
    for (int w = 0; w < 4; ++w)
        for (int shift = 24; shift >= 0; shift -= 8)
            plain.push_back(uint8_t(words[w] >> shift));
    return plain;
#endif
}

TEST(ModuleEntry, ExportsTheEntryPointsAHostLooksFor) {
    auto module = loadBundle();
    ASSERT_TRUE(module);
    EXPECT_NE(module->symbol("GetPluginFactory"), nullptr);
    EXPECT_NE(module->symbol("InitDll"), nullptr);
    EXPECT_NE(module->symbol("ExitDll"), nullptr);
#if !defined(_WIN32)
    EXPECT_NE(module->symbol("ModuleEntry"), nullptr);
    EXPECT_NE(module->symbol("ModuleExit"), nullptr);
    // Nothing of the SDK leaks out of the module.
    EXPECT_EQ(module->symbol("_ZN9Steinberg7FObject10isTypeOfEPKcb"), nullptr);
#endif
}

TEST(ModuleEntry, SecondFactoryCallReturnsTheSameFactoryWithOneMoreReference) {
    auto module = loadBundle();
    ASSERT_TRUE(module);
    using GetFactory = IPluginFactory*(PLUGIN_API*)();
    auto get = reinterpret_cast<GetFactory>(module->symbol("GetPluginFactory"));
    IPluginFactory* again = get();
    EXPECT_EQ(again, module->factory());
    // The loader holds one reference, this call added one: addRef now gives 3.
    EXPECT_EQ(again->addRef(), 3u);
    EXPECT_EQ(again->release(), 2u);
    EXPECT_EQ(again->release(), 1u);
}

TEST(Factory, FactoryRecord) {
    auto module = loadBundle();
    ASSERT_TRUE(module);
    PFactoryInfo info;
    ASSERT_EQ(module->factory()->getFactoryInfo(&info), kResultOk);
    EXPECT_STREQ(info.vendor, "TALUMA W developers");
    EXPECT_STREQ(info.url, "https://taluma-w.example.org");
    EXPECT_STREQ(info.email, "");
    EXPECT_EQ(info.flags, 0x10);
}

TEST(Factory, ClassRecordsInRegistrationOrder) {
    auto module = loadBundle();
    ASSERT_TRUE(module);
    auto classes = module->classes();
    ASSERT_EQ(classes.size(), 2u);

    const uint32_t processorWords[4] = {0x62DC74C0, 0xA0604200, 0xBBFF215F, 0xDE21F747};
    const uint32_t controllerWords[4] = {0xD96B785F, 0x9B6C4DEA, 0x86AACA94, 0x40746358};
    EXPECT_EQ(bytesOf(classes[0].cid),
              expectedBytes({0xC0, 0x74, 0xDC, 0x62, 0x60, 0xA0, 0x00, 0x42, 0xBB, 0xFF, 0x21, 0x5F,
                             0xDE, 0x21, 0xF7, 0x47},
                            processorWords));
    EXPECT_EQ(bytesOf(classes[1].cid),
              expectedBytes({0x5F, 0x78, 0x6B, 0xD9, 0x6C, 0x9B, 0xEA, 0x4D, 0x86, 0xAA, 0xCA, 0x94,
                             0x40, 0x74, 0x63, 0x58},
                            controllerWords));
    FUID processorId = FUID::fromTUID(classes[0].cid);
    EXPECT_EQ(processorId.getLong1(), processorWords[0]);
    EXPECT_EQ(processorId.getLong2(), processorWords[1]);
    EXPECT_EQ(processorId.getLong3(), processorWords[2]);
    EXPECT_EQ(processorId.getLong4(), processorWords[3]);

    const PClassInfo2& p = classes[0];
    EXPECT_EQ(p.cardinality, 0x7FFFFFFF);
    EXPECT_STREQ(p.category, "Audio Module Class");
    EXPECT_STREQ(p.name, "TALUMA W");
    EXPECT_EQ(p.classFlags, 1u);
    EXPECT_STREQ(p.subCategories, "Instrument|Synth");
    EXPECT_STREQ(p.vendor, "");
    EXPECT_STREQ(p.version, "24.9.0");
    EXPECT_STREQ(p.sdkVersion, "VST 3.7.3");

    const PClassInfo2& c = classes[1];
    EXPECT_EQ(c.cardinality, 0x7FFFFFFF);
    EXPECT_STREQ(c.category, "Component Controller Class");
    EXPECT_STREQ(c.name, "TALUMA W Controller");
    EXPECT_EQ(c.classFlags, 0u);
    EXPECT_STREQ(c.subCategories, "");
    EXPECT_STREQ(c.vendor, "");
    EXPECT_STREQ(c.version, "24.9.0");
    EXPECT_STREQ(c.sdkVersion, "VST 3.7.3");

    // The fixed-size fields are NUL-padded.
    for (size_t i = std::strlen(p.name); i < sizeof(p.name); ++i)
        ASSERT_EQ(p.name[i], 0) << i;
    for (size_t i = std::strlen(p.subCategories); i < sizeof(p.subCategories); ++i)
        ASSERT_EQ(p.subCategories[i], 0) << i;

    FUnknownPtr<IPluginFactory3> factory3(module->factory());
    ASSERT_TRUE(factory3);
    PClassInfoW wide;
    ASSERT_EQ(factory3->getClassInfoUnicode(1, &wide), kResultOk);
    EXPECT_EQ(wide.name[0], u'T');
    EXPECT_EQ(wide.name[19], u'\0');
    EXPECT_EQ(wide.name[18], u'r');
    EXPECT_NE(factory3->getClassInfoUnicode(2, &wide), kResultOk);
}

TEST(Factory, CreatesBothClassesAndNothingElse) {
    auto module = loadBundle();
    ASSERT_TRUE(module);
    auto classes = module->classes();
    ASSERT_EQ(classes.size(), 2u);
    IPluginFactory* factory = module->factory();

    void* obj = nullptr;
    ASSERT_EQ(factory->createInstance(classes[0].cid, IAudioProcessor::iid, &obj), kResultOk);
    auto* processor = static_cast<IAudioProcessor*>(obj);
    FUnknownPtr<IComponent> component(processor);
    ASSERT_TRUE(component);
    TUID controllerCid;
    ASSERT_EQ(component->getControllerClassId(controllerCid), kResultOk);
    EXPECT_EQ(bytesOf(controllerCid), bytesOf(classes[1].cid));
    processor->release();

    obj = nullptr;
    ASSERT_EQ(factory->createInstance(classes[1].cid, IEditController::iid, &obj), kResultOk);
    static_cast<IEditController*>(obj)->release();

    TUID unknown = {1, 2, 3};
    obj = reinterpret_cast<void*>(1);
    EXPECT_NE(factory->createInstance(unknown, IAudioProcessor::iid, &obj), kResultOk);
    EXPECT_EQ(obj, nullptr);
    EXPECT_NE(factory->createInstance(classes[1].cid, IAudioProcessor::iid, &obj), kResultOk);
}

using ControllerIdentity = BundleFixture;

TEST_F(ControllerIdentity, AnswersItsInterfaces) {
    IEditController* controller = plugin->controller();
    ASSERT_NE(controller, nullptr);
    const TUID* answered[] = {&IMidiMapping::iid.toTUID(),    &IUnitInfo::iid.toTUID(),
                              &IEditController::iid.toTUID(), &IEditController2::iid.toTUID(),
                              &IPluginBase::iid.toTUID(),     &IConnectionPoint::iid.toTUID()};
    for (const TUID* iid : answered) {
        FUnknown* obj = nullptr;
        EXPECT_EQ(controller->queryInterface(*iid, reinterpret_cast<void**>(&obj)), kResultOk);
        if (obj)
            obj->release();
    }
    FUnknown* obj = nullptr;
    EXPECT_EQ(controller->queryInterface(IAudioProcessor::iid, reinterpret_cast<void**>(&obj)),
              kNoInterface);
    EXPECT_EQ(obj, nullptr);
}

}  // namespace
}  // namespace test
}  // namespace taluma
