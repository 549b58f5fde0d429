// The SDK layer's class factory on its own: registration, lookup, class records,
// instance creation and reference counting. The module's factory and class records and
// the refused calls are checked through the built module (tests/vst3); the wide class
// records, converted from the same records, here.
#include "public.sdk/source/main/pluginfactory.h"

#include "base/source/fobject.h"
#include "pluginterfaces/base/ustring.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using namespace Steinberg;

int created = 0;

class Thing : public FObject {
public:
    Thing() { ++created; }
    OBJ_METHODS(Thing, FObject)
};

FUnknown* createThing(void*) {
    return static_cast<FUnknown*>(static_cast<FObject*>(new Thing()));
}

const FUID kThingId(0x11111111, 0x22222222, 0x33333333, 0x44444444);
const FUID kNothingId(0x55555555, 0x66666666, 0x77777777, 0x88888888);

PClassInfo2 classInfo(const FUID& id, const char* name) {
    TUID cid;
    id.toTUID(cid);
    return PClassInfo2(cid, PClassInfo::kManyInstances, "Test Class", name, 0, "Sub|Cat", "Vendor",
                       "1.0", "VST 3.7.3");
}

TEST(PluginFactory, RegistersListsAndDescribesClasses) {
    PFactoryInfo info("Maker", "https://maker.example", "", PFactoryInfo::kUnicode);
    auto* factory = new CPluginFactory(info);
    PClassInfo2 thing = classInfo(kThingId, "Thing");
    EXPECT_TRUE(factory->registerClass(&thing, createThing));
    EXPECT_FALSE(factory->registerClass(&thing, createThing));  // same id twice
    EXPECT_FALSE(factory->registerClass(nullptr, createThing));
    EXPECT_TRUE(factory->isClassRegistered(kThingId));
    EXPECT_FALSE(factory->isClassRegistered(kNothingId));
    EXPECT_EQ(factory->countClasses(), 1);

    PClassInfo basic;
    ASSERT_EQ(factory->getClassInfo(0, &basic), kResultOk);
    EXPECT_STREQ(basic.name, "Thing");
    EXPECT_STREQ(basic.category, "Test Class");
    EXPECT_EQ(std::memcmp(basic.cid, thing.cid, sizeof(TUID)), 0);

    PClassInfoW wide;
    ASSERT_EQ(factory->getClassInfoUnicode(0, &wide), kResultOk);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(wide.name)), u"Thing");
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(wide.version)), u"1.0");
    EXPECT_STREQ(wide.subCategories, "Sub|Cat");

    EXPECT_EQ(factory->release(), 0u);
}

TEST(PluginFactory, CreatesInstancesByClassIdAndInterface) {
    auto* factory = new CPluginFactory(PFactoryInfo("Maker", "", "", 0));
    PClassInfo2 thing = classInfo(kThingId, "Thing");
    PClassInfo2 nothing = classInfo(kNothingId, "Nothing");
    factory->registerClass(&thing, createThing);
    factory->registerClass(&nothing, [](void*) -> FUnknown* { return nullptr; });

    created = 0;
    void* obj = nullptr;
    ASSERT_EQ(factory->createInstance(thing.cid, FUnknown::iid, &obj), kResultOk);
    ASSERT_NE(obj, nullptr);
    EXPECT_EQ(created, 1);
    // The factory's creation reference is gone: one release frees the object.
    EXPECT_EQ(static_cast<FUnknown*>(obj)->release(), 0u);

    obj = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->createInstance(thing.cid, IPluginFactory::iid, &obj), kNoInterface);
    EXPECT_EQ(obj, nullptr);
    EXPECT_EQ(created, 2);  // made, asked, and released again

    EXPECT_EQ(factory->createInstance(nothing.cid, FUnknown::iid, &obj), kOutOfMemory);

    IPluginFactory3* factory3 = nullptr;
    ASSERT_EQ(factory->queryInterface(IPluginFactory3::iid, reinterpret_cast<void**>(&factory3)),
              kResultOk);
    EXPECT_EQ(factory3->release(), 1u);
    gPluginFactory = factory;
    EXPECT_EQ(factory->release(), 0u);
    EXPECT_EQ(gPluginFactory, nullptr);  // the module's pointer does not dangle
}

}  // namespace
