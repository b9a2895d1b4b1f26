// The size step of registration, on the plug-in's sources: MyREALRegisterClass raises the
// instance-data size to a multiple of 16 before the host sees it.
#include "plugin/Tolvane.h"
#include "tests/plugin/TestHost.h"

#include <gtest/gtest.h>

extern "C" {
// The same declarations compiled as C.
size_t interfaceAsC_classDefinitionSize(void);
size_t interfaceAsC_propertySize(void);
size_t interfaceAsC_methodSize(void);
size_t interfaceAsC_classFlagsOffset(void);
uintptr_t interfaceAsC_noAccessor(void);
}

namespace {

TEST(Registration, RaisesTheInstanceDataSizeToAMultipleOf16) {
    const std::pair<intptr_t, uintptr_t> cases[] = {{32, 32}, {0, 0}, {48, 48}, {33, 48}, {1, 16}, {17, 32}};
    for (auto [size, registered] : cases) {
        SCOPED_TRACE(::testing::Message() << "size " << size);
        TestHost host;
        gResolver = &TestHost::resolve;
        REALclassDefinition definition = TolvaneClass;
        definition.dataSize = size;
        MyREALRegisterClass(&definition);
        ASSERT_EQ(host.calls.size(), 1u);
        EXPECT_EQ(host.calls[0].definition, &definition);
        EXPECT_EQ(host.calls[0].sizeWord, registered) << "what the host saw";
        EXPECT_EQ(word(&definition, 3), registered) << "what stays in the definition";
    }
    gResolver = nullptr;
}

TEST(Interface, CompilesAsCWithTheSameLayout) {
    EXPECT_EQ(interfaceAsC_classDefinitionSize(), sizeof(REALclassDefinition));
    EXPECT_EQ(interfaceAsC_classDefinitionSize(), 25 * sizeof(void*));
    EXPECT_EQ(interfaceAsC_propertySize(), 10 * sizeof(void*));
    EXPECT_EQ(interfaceAsC_methodSize(), 4 * sizeof(void*));
    EXPECT_EQ(interfaceAsC_classFlagsOffset(), 20 * sizeof(void*));
    EXPECT_EQ(interfaceAsC_noAccessor(), UINTPTR_MAX);
}

} // namespace
