// The module entry's use counter and the initialisers and terminators it runs.
#include "public.sdk/source/main/moduleentry.h"
#include "public.sdk/source/main/moduleinit.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string order;

Steinberg::ModuleInitializer late([] { order += "i2"; }, 2000);
Steinberg::ModuleInitializer early([] { order += "i1"; }, 10);
Steinberg::ModuleTerminator terminator([] { order += "t"; });

TEST(ModuleEntry, InitialisersRunOnceByPriorityAndTerminatorsWithTheLastUser) {
    order.clear();
    EXPECT_TRUE(InitDll());
    EXPECT_TRUE(InitDll());
    EXPECT_EQ(order, "i1i2");
    EXPECT_EQ(Steinberg::moduleUseCount(), 2);
    EXPECT_TRUE(ExitDll());
    EXPECT_EQ(order, "i1i2");
    EXPECT_TRUE(ExitDll());
    EXPECT_EQ(order, "i1i2t");
    EXPECT_FALSE(ExitDll());  // more exits than inits
    EXPECT_EQ(Steinberg::moduleUseCount(), 0);

    // After the unbalanced exit a new user still initialises the module.
    EXPECT_TRUE(InitDll());
    EXPECT_EQ(order, "i1i2ti1i2");
    EXPECT_TRUE(ExitDll());
}

}  // namespace
