// A host written from the interface tables alone loads the module and meets its factory.
#include <gtest/gtest.h>

#include "qxhost/module_library.h"

namespace {

const std::string kModulePath = std::string(QX_OUT_DIR) + "/QX_GUI.sem";

TEST(ModuleFactory, HandsOutTheSameFactoryTwice) {
    ModuleLibrary module;
    ASSERT_TRUE(module.open(kModulePath)) << module.error();
    void* first = nullptr;
    void* second = nullptr;
    EXPECT_EQ(module.getFactory()(&first), 0);
    EXPECT_EQ(module.getFactory()(&second), 0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    auto* factory = static_cast<gmpi::IMpFactory2*>(first);
    EXPECT_EQ(factory->addRef(), 1);
    EXPECT_EQ(factory->release(), 1);
}

} // namespace
