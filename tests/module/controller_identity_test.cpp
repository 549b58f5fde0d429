// The controller's run-time class chain. FObject's interface id differs from module to
// module, so this is checked in-process rather than through a loaded bundle.
#include "main_vst_controller.h"

#include <gtest/gtest.h>

namespace taluma {
namespace test {
namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;

TEST(ControllerClass, TypeChainFromMainVSTControllerToFObject) {
    auto* controller = new MainVSTController();
    FObject* object = controller;
    EXPECT_STREQ(object->isA(), "MainVSTController");
    EXPECT_TRUE(object->isTypeOf("MainVSTController", false));
    EXPECT_FALSE(object->isTypeOf("EditControllerEx1", false));
    for (const char* base : {"EditControllerEx1", "EditController", "ComponentBase", "FObject"})
        EXPECT_TRUE(object->isTypeOf(base, true)) << base;
    EXPECT_FALSE(object->isTypeOf("AudioEffect", true));

    FObject* queried = nullptr;
    ASSERT_EQ(controller->queryInterface(FObject::iid, reinterpret_cast<void**>(&queried)),
              kResultOk);
    EXPECT_EQ(queried, object);
    queried->release();
    EXPECT_EQ(controller->synth(), nullptr);
    controller->release();
}

}  // namespace
}  // namespace test
}  // namespace taluma
