// The application's binding of TolvaneVrek: the entry-point table, the wrappers and accessors,
// all reaching the plug-in's own functions over the recording input layer.
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../plugin/InstanceData.h"
#include "../plugin/RecordingInput.h"
#include "AppFixture.h"
#include "app/TestHooks.h"
#include "app/TolvaneVrek.h"
#include "framework/PluginHost.h"

namespace {

using ambrel::TolvaneVrek;

// The parameter codes of a declaration, "(globalx as integer,down as boolean)" giving "i4b".
std::string parameterCodes(const std::string& declaration) {
    std::string codes;
    for (std::size_t at = declaration.find('('); at != std::string::npos;) {
        const std::size_t end = declaration.find_first_of(",)", at + 1);
        const std::size_t typeStart = declaration.rfind(' ', end) + 1;
        const std::string type = declaration.substr(typeStart, end - typeStart);
        codes += type == "integer" ? "i4" : type == "boolean" ? "b" : "?" + type;
        at = declaration[end] == ',' ? end : std::string::npos;
    }
    return codes;
}

class BindingTest : public testing::Test {
  protected:
    void SetUp() override {
        setUpProgramOnce();
        recording() = RecordingInput{};
        vrek = fw::checkCast<TolvaneVrek>(fw::RuntimeNewObject(TolvaneVrek::Class()));
    }
    fw::Ref<TolvaneVrek> vrek;
};

// Each method, called on the object, runs the plug-in's own function for its declaration: the
// events it posts, and the Lasterror it writes into this object's data while it posts and after.
TEST_F(BindingTest, EachMethodRunsThePluginsFunctionOnTheObjectsData) {
    EXPECT_TRUE(fw::pluginProblems().empty());
    const struct {
        const char* method;
        std::function<void(TolvaneVrek&)> call;
        std::vector<InputCall> posted;
        std::vector<int32_t> lasterrorWhilePosting;
        int32_t lasterror;
    } cases[] = {
        {"Press", [](TolvaneVrek& v) { v.Press(); }, {key(65, 12, 1), key(65, 12, 0)}, {-1, 7}, 7},
        {"PressRaw", [](TolvaneVrek& v) { v.PressRaw(true); }, {key(65, 12, 1)}, {-1}, 7},
        {"Clear", [](TolvaneVrek& v) { v.Clear(); }, {}, {}, 0},
        {"MouseMove", [](TolvaneVrek& v) { v.MouseMove(10, 20); }, {warp(10, 20)}, {-1}, 0},
        {"MouseClick",
         [](TolvaneVrek& v) { v.MouseClick(true); },
         {readPointer(), click(9, 7, 1)},
         {-1, -1},
         7},
        {"MouseMoveClick", [](TolvaneVrek& v) { v.MouseMoveClick(3, 4, true); }, {click(3, 4, 1)}, {-1}, 7},
        {"MouseClick with the right button",
         [](TolvaneVrek& v) { v.MouseClick(true, true); },
         {readPointer(), click(9, 7, 1, 1)},
         {-1, -1},
         7},
        {"MouseMoveClick with the right button",
         [](TolvaneVrek& v) { v.MouseMoveClick(3, 4, false, true); },
         {click(3, 4, 0, 1)},
         {-1},
         7},
    };
    for (const auto& c : cases) {
        fw::Ref<TolvaneVrek> fresh = fw::checkCast<TolvaneVrek>(fw::RuntimeNewObject(TolvaneVrek::Class()));
        fresh->Charcode_Set(0, 65);
        fresh->Keycode_Set(0, 12);
        fresh->Lasterror_Set(0, 5);
        recording() = RecordingInput{};
        recording().watched = reinterpret_cast<REALobject>(fresh.get());
        recording().results = {7};
        recording().pointers = {Point{7, 9}};
        c.call(*fresh);
        EXPECT_EQ(recording().calls, c.posted) << c.method;
        EXPECT_EQ(recording().lasterrorDuring, c.lasterrorWhilePosting) << c.method;
        EXPECT_EQ(fresh->Lasterror_Get(0), c.lasterror) << c.method;
    }
    recording() = RecordingInput{};
}

TEST_F(BindingTest, TheFrameworksOwnFunctionsAnswerInTheFirstTwoSlots) {
    void** table = ambrel::pluginEntrypoints();
    auto md5 = reinterpret_cast<fw::String (*)(const fw::String&)>(table[0]);
    auto base64 = reinterpret_cast<fw::String (*)(const fw::String&, int32_t)>(table[1]);
    std::string digest = md5("abc").bytes();
    ASSERT_EQ(digest.size(), 16u);
    EXPECT_EQ(static_cast<unsigned char>(digest[0]), 0x90);
    EXPECT_EQ(static_cast<unsigned char>(digest[15]), 0x72);
    EXPECT_EQ(base64("Ambrel", 76).bytes(), "QW1icmVs");
    // Lines of the given length; 0 keeps one line.
    const std::string whole = base64(std::string(60, 'a'), 0).bytes();
    ASSERT_EQ(whole.size(), 80u);
    EXPECT_EQ(base64(std::string(60, 'a'), 76).bytes(), whole.substr(0, 76) + "\r\n" + whole.substr(76));
}

TEST_F(BindingTest, ADeclarationThatDiffersInOneByteIsAnotherEntryPoint) {
    fw::clearPluginProblems();
    void* exact =
        fw::RuntimeLookupPluginEntrypoint("TolvaneVrek.MouseClick(down as boolean, rightdown as boolean)");
    EXPECT_TRUE(fw::pluginProblems().empty());
    for (const char* near :
         {"TolvaneVrek.MouseClick(down as boolean,rightdown as boolean)",
          "TolvaneVrek.MouseMove(globalx as Integer,globaly as integer)", "tolvanevrek.Clear"}) {
        EXPECT_NE(fw::RuntimeLookupPluginEntrypoint(near), exact) << near;
    }
    EXPECT_EQ(fw::pluginProblems().size(), 3u);
    // What comes back for them does nothing when called.
    reinterpret_cast<void (*)(REALobject)>(fw::RuntimeLookupPluginEntrypoint("tolvanevrek.Clear"))(nullptr);
    fw::clearPluginProblems();
}

TEST_F(BindingTest, ThePluginsDataSitsRightAfterTheObjectHeader) {
    EXPECT_EQ(sizeof(TolvaneVrek), 56u);
    EXPECT_EQ(TolvaneVrek::Class().instanceSize, 56u);
    EXPECT_EQ(vrek->pluginData() - reinterpret_cast<const unsigned char*>(vrek.get()), fw::kPluginDataOffset);
    EXPECT_TRUE(ambrel::didInitializePluginDependencies());
}

TEST_F(BindingTest, ClicksPassTheLowestBitOfTheirBooleans) {
    Point at{7, 9};
    recording().pointers = {at, at};
    vrek->MouseClick(true);
    vrek->MouseClick(false);
    std::vector<InputCall> expected = {readPointer(), click(9, 7, 1), readPointer(), click(9, 7, 0)};
    EXPECT_EQ(recording().calls, expected);
}

TEST_F(BindingTest, MouseMoveLeavesNoErrorAndClearZeroesEveryProperty) {
    recording().results = {5}; // the warp fails
    vrek->MouseMove(10, 20);
    EXPECT_EQ(recording().calls, std::vector<InputCall>{warp(10, 20)});
    EXPECT_EQ(vrek->Lasterror_Get(0), 0);

    vrek->Shift_Set(0, true);
    vrek->Command_Set(0, true);
    vrek->Control_Set(0, true);
    vrek->Option_Set(0, true);
    vrek->Charcode_Set(0, 1);
    vrek->Keycode_Set(0, 2);
    vrek->VirtualCode_Set(0, 3);
    vrek->Lasterror_Set(0, 4);
    vrek->Clear();
    EXPECT_FALSE(vrek->Shift_Get(0) || vrek->Command_Get(0) || vrek->Control_Get(0) || vrek->Option_Get(0));
    EXPECT_EQ(
        vrek->Charcode_Get(0) | vrek->Keycode_Get(0) | vrek->VirtualCode_Get(0) | vrek->Lasterror_Get(0), 0);
}

TEST_F(BindingTest, AccessorsAndThePluginAddressTheSameBytes) {
    vrek->Charcode_Set(0, 65 + 65536);
    vrek->Keycode_Set(0, 0);
    vrek->Press();
    std::vector<InputCall> expected = {key(65, 0, 1), key(65, 0, 0)};
    EXPECT_EQ(recording().calls, expected);

    // Introspection's property entries reach the same storage.
    const fw::PropertyInfo* shift = TolvaneVrek::Class().findProperty("shift");
    ASSERT_NE(shift, nullptr);
    shift->set(*vrek, fw::Value(true));
    EXPECT_TRUE(vrek->Shift_Get(0));
    EXPECT_EQ(vrek->pluginData()[0], 1);
}

TEST_F(BindingTest, TheClassRecordListsItsMembersForIntrospection) {
    const fw::ClassRecord& cls = TolvaneVrek::Class();
    ASSERT_EQ(cls.members.size(), 26u);
    EXPECT_EQ(cls.members[0].name, "__init");
    EXPECT_EQ(cls.members[5].name, "MouseMove");
    EXPECT_EQ(cls.members[5].signature, "%%i4i4");
    EXPECT_EQ(cls.members[5].flags, 1u);
    EXPECT_EQ(cls.members[25].name, "Lasterror.Set");
    EXPECT_EQ(cls.members[25].attributes[0].value, "Private");
    ASSERT_EQ(cls.properties.size(), 8u);
    EXPECT_EQ(cls.properties[3].name, "Option");
    EXPECT_EQ(cls.properties[3].typeCode, "b");
    EXPECT_EQ(cls.properties[7].typeCode, "i4");

    // The method entries follow the plug-in's declarations slot by slot: the same name, the same
    // parameters.
    for (int32_t slot = ambrel::kPressSlot; slot < ambrel::kPluginEntrypointCount; ++slot) {
        const std::string declaration = ambrel::kPluginEntrypointDeclarations[slot];
        const fw::MemberInfo& method = cls.members[2 + slot - ambrel::kPressSlot];
        EXPECT_EQ("TolvaneVrek." + method.name, declaration.substr(0, declaration.find('('))) << declaration;
        EXPECT_EQ(method.signature, "%%" + parameterCodes(declaration)) << declaration;
        EXPECT_EQ(method.attributes[0].value, "Public") << declaration;
        EXPECT_EQ(method.flags, 1u) << declaration;
    }
    // Each property's accessors, found by name, take and give its type; they stay private.
    for (const fw::PropertyInfo& property : cls.properties) {
        const fw::MemberInfo* get = cls.findMember(property.name + ".Get");
        const fw::MemberInfo* set = cls.findMember(property.name + ".Set");
        ASSERT_TRUE(get && set) << property.name;
        EXPECT_EQ(get->signature, "%" + property.typeCode + "%i4") << property.name;
        EXPECT_EQ(set->signature, "%%i4" + property.typeCode) << property.name;
        EXPECT_EQ(get->attributes[0].value, "Private") << property.name;
        EXPECT_EQ(set->attributes[0].value, "Private") << property.name;
        EXPECT_EQ(property.typeCode, property.type == fw::PropertyType::Boolean ? "b" : "i4")
            << property.name;
        EXPECT_EQ(property.offset, fw::kPluginDataOffset) << property.name;
    }
}

// Introspection's property entries, found by name, reach the bytes where the plug-in keeps each
// property.
TEST_F(BindingTest, EachPropertyEntryAddressesItsOwnBytes) {
    const struct {
        const char* name;
        std::size_t offset; // in the plug-in's data
        bool boolean;
    } cases[] = {
        {"Shift", properties::kShift, true},
        {"Command", properties::kCommand, true},
        {"Control", properties::kControl, true},
        {"Option", properties::kOption, true},
        {"Charcode", properties::kCharcode, false},
        {"Keycode", properties::kKeycode, false},
        {"VirtualCode", properties::kVirtualCode, false},
        {"Lasterror", properties::kLasterror, false},
    };
    for (const auto& c : cases) {
        fw::Ref<TolvaneVrek> fresh = fw::checkCast<TolvaneVrek>(fw::RuntimeNewObject(TolvaneVrek::Class()));
        const fw::PropertyInfo* property = TolvaneVrek::Class().findProperty(c.name);
        ASSERT_NE(property, nullptr) << c.name;
        EXPECT_EQ(property->name, c.name);
        InstanceData data(const_cast<unsigned char*>(fresh->pluginData()));
        if (c.boolean) {
            property->set(*fresh, fw::Value(true));
            EXPECT_EQ(data[c.offset], 1) << c.name;
            EXPECT_TRUE(property->get(*fresh).asBoolean()) << c.name;
        } else {
            property->set(*fresh, fw::Value(int32_t{-70000}));
            EXPECT_EQ(data.integer(c.offset), -70000) << c.name;
            EXPECT_EQ(property->get(*fresh).asInteger(), -70000) << c.name;
        }
        // Nothing else of the 32 bytes was touched.
        unsigned char expected[ambrel::kPluginDataSize] = {};
        std::memcpy(expected + c.offset, fresh->pluginData() + c.offset, c.boolean ? 1 : 4);
        EXPECT_EQ(std::memcmp(fresh->pluginData(), expected, sizeof expected), 0) << c.name;
    }
}

} // namespace
