// The eight methods, built from the plug-in's sources over the recording stand-in of the input
// layer: which platform calls they make, in which order, and what they leave in Lasterror.
#include "plugin/Tolvane.h"
#include "tests/plugin/InstanceData.h"
#include "tests/plugin/RecordingInput.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>

namespace {

using Calls = std::vector<InputCall>;

using namespace properties;

constexpr unsigned char kGuard = 0xA5;

// An object of the test's own with room around its instance data, which sits at the offset the
// host would have written into word 4 of the class definition.
class ObjectMemory {
  public:
    explicit ObjectMemory(std::size_t offset) : offset_(offset) { bytes_.fill(kGuard); }

    REALobject object() { return reinterpret_cast<REALobject>(bytes_.data()); }
    unsigned char* bytes() { return bytes_.data(); }
    InstanceData data() { return InstanceData(bytes_.data() + offset_); }
    std::size_t offset() const { return offset_; }

    // True when every byte outside the instance data still holds the guard.
    bool guardsIntact() const {
        for (std::size_t i = 0; i < bytes_.size(); ++i) {
            if ((i < offset_ || i >= offset_ + 32) && bytes_[i] != kGuard) {
                return false;
            }
        }
        return true;
    }

  private:
    alignas(8) std::array<unsigned char, 128> bytes_;
    std::size_t offset_;
};

// Every case runs with the instance data at the usual offset and at another one.
class Methods : public ::testing::TestWithParam<std::size_t> {
  protected:
    void SetUp() override { reset(); }
    void TearDown() override {
        EXPECT_TRUE(memory.guardsIntact()) << "a method wrote outside the instance data";
        TolvaneClass.dataOffset = 0;
    }

    // A fresh record and an object with no modifiers, 'a' on key code 0 and a stale Lasterror.
    void reset() {
        recording() = RecordingInput{};
        recording().watched = memory.object();
        TolvaneClass.dataOffset = static_cast<intptr_t>(memory.offset());
        for (std::size_t flag : kBooleans) {
            data[flag] = 0;
        }
        data.setInteger(kCharcode, 'a');
        data.setInteger(kKeycode, 0x00);
        data.setInteger(kLasterror, 12345);
    }

    void script(std::initializer_list<CGError> results) { recording().results = results; }
    const Calls& calls() { return recording().calls; }
    const std::vector<int32_t>& lasterrorDuring() { return recording().lasterrorDuring; }
    int32_t lasterror() { return data.integer(kLasterror); }

    ObjectMemory memory{GetParam()};
    REALobject object = memory.object();
    InstanceData data = memory.data();
};

INSTANTIATE_TEST_SUITE_P(DataOffsets, Methods, ::testing::Values(24, 40),
                         [](const auto& info) { return "at" + std::to_string(info.param); });

TEST_P(Methods, PressWithoutModifiersPostsTheKeyDownAndUp) {
    script({7, 9});
    tolvane(object);
    EXPECT_EQ(calls(), (Calls{key('a', 0x00, 1), key('a', 0x00, 0)}));
    EXPECT_EQ(lasterror(), 7) << "the key press's result, not the release's";
    EXPECT_EQ(lasterrorDuring(), (std::vector<int32_t>{-1, 7}));
}

TEST_P(Methods, PressWrapsTheKeyInAllFourModifiersReleasedInPressOrder) {
    for (std::size_t flag : kBooleans) {
        data[flag] = 1;
    }
    data.setInteger(kCharcode, 'q');
    data.setInteger(kKeycode, 0x0C);
    script({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    tolvane(object);
    EXPECT_EQ(calls(),
              (Calls{key(0, 0x38, 1), key(0, 0x37, 1), key(0, 0x3B, 1), key(0, 0x3A, 1), key('q', 0x0C, 1),
                     key('q', 0x0C, 0), key(0, 0x38, 0), key(0, 0x37, 0), key(0, 0x3B, 0), key(0, 0x3A, 0)}));
    EXPECT_EQ(lasterror(), 5);
    EXPECT_EQ(lasterrorDuring(), (std::vector<int32_t>{-1, -1, -1, -1, -1, 5, 5, 5, 5, 5}));
}

struct ModifierCase {
    const char* name;
    std::size_t property;
    unsigned char byte;
    CGKeyCode key;
};

TEST_P(Methods, PressCountsAnyNonZeroBooleanByteAsTrue) {
    const ModifierCase cases[] = {
        {"Shift", kShift, 1, 0x38},
        {"Command", kCommand, 2, 0x37},
        {"Control", kControl, 0x80, 0x3B},
        {"Option", kOption, 0xFF, 0x3A},
    };
    for (const ModifierCase& c : cases) {
        SCOPED_TRACE(c.name);
        reset();
        data[c.property] = c.byte;
        tolvane(object);
        EXPECT_EQ(calls(), (Calls{key(0, c.key, 1), key('a', 0, 1), key('a', 0, 0), key(0, c.key, 0)}));
    }
}

TEST_P(Methods, PressReadsEachBooleanFromItsOneByteOnly) {
    // The unused bytes after each Boolean are set; the Booleans themselves are false.
    for (std::size_t flag : kBooleans) {
        for (std::size_t pad = 1; pad < 4; ++pad) {
            data[flag + pad] = 0xFF;
        }
    }
    tolvane(object);
    EXPECT_EQ(calls(), (Calls{key('a', 0, 1), key('a', 0, 0)}));
}

struct CodeCase {
    int32_t charcode;
    int32_t keycode;
    CGCharCode postedChar;
    CGKeyCode postedKey;
};

TEST_P(Methods, KeyMethodsPostTheLow16BitsOfTheCodes) {
    const CodeCase cases[] = {
        {65 + 65536, 0x00, 65, 0x00},
        {0, -1, 0, 0xFFFF},
        {-1, 0x10024, 0xFFFF, 0x24},
        {0x7FFFFFFF, INT32_MIN, 0xFFFF, 0x0000},
    };
    for (const CodeCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "Charcode " << c.charcode << ", Keycode " << c.keycode);
        reset();
        data.setInteger(kCharcode, c.charcode);
        data.setInteger(kKeycode, c.keycode);
        tolvane(object);
        tolvaneraw(object, 1);
        EXPECT_EQ(calls(), (Calls{key(c.postedChar, c.postedKey, 1), key(c.postedChar, c.postedKey, 0),
                                  key(c.postedChar, c.postedKey, 1)}));
        EXPECT_EQ(data.integer(kCharcode), c.charcode) << "the property itself is left as it was";
    }
}

TEST_P(Methods, PressRawPostsOneEventWithTheGivenStateAndNoModifiers) {
    const std::pair<RBBoolean, boolean_t> cases[] = {{0, 0}, {1, 1}, {2, 2}, {0xFF, 0xFFFFFFFF}};
    for (auto [down, posted] : cases) {
        SCOPED_TRACE(::testing::Message() << "down byte " << int(down));
        reset();
        for (std::size_t flag : kBooleans) {
            data[flag] = 1;
        }
        script({1001});
        tolvaneraw(object, down);
        EXPECT_EQ(calls(), (Calls{key('a', 0x00, posted)}));
        EXPECT_EQ(lasterror(), 1001);
        EXPECT_EQ(lasterrorDuring(), (std::vector<int32_t>{-1}));
    }
}

TEST_P(Methods, ClearZeroesTheEightPropertiesAndLeavesTheUnusedBytes) {
    std::memset(&data[0], 0x5A, 32);
    tolvane(object);
    recording().calls.clear();
    tolvane_clear(object);
    EXPECT_TRUE(calls().empty());
    for (std::size_t flag : kBooleans) {
        EXPECT_EQ(data[flag], 0) << "Boolean at " << flag;
        for (std::size_t pad = 1; pad < 4; ++pad) {
            EXPECT_EQ(data[flag + pad], 0x5A) << "unused byte at " << flag + pad;
        }
    }
    for (std::size_t integer : kIntegers) {
        EXPECT_EQ(data.integer(integer), 0) << "integer at " << integer;
    }
}

struct MouseCase {
    const char* name;
    std::function<void(REALobject)> method;
    std::deque<Point> pointers; // where GetGlobalMouse finds the pointer, call by call
    Calls expected;
    int32_t lasterror; // with every call answering 1002
};

TEST_P(Methods, MouseMethodsMakeTheirPlatformCallsAndReport) {
    const MouseCase cases[] = {
        {"MouseMove", [](REALobject o) { mousemove(o, 10, 20); }, {}, {warp(10, 20)}, 0},
        {"MouseMove far off",
         [](REALobject o) { mousemove(o, -70000, INT32_MAX); },
         {},
         {warp(-70000, 2147483648.f)},
         0},
        {"MouseClick down",
         [](REALobject o) { pressmouse(o, 1); },
         {{7, 3}},
         {readPointer(), click(3, 7, 1)},
         1002},
        {"MouseClick up",
         [](REALobject o) { pressmouse(o, 0); },
         {{7, 3}},
         {readPointer(), click(3, 7, 0)},
         1002},
        {"MouseClick at negative 16-bit coordinates",
         [](REALobject o) { pressmouse(o, 1); },
         {{-20, -32768}},
         {readPointer(), click(-32768, -20, 1)},
         1002},
        {"MouseClick reads the pointer anew",
         [](REALobject o) {
             pressmouse(o, 1);
             pressmouse(o, 0);
         },
         {{1, 2}, {3, 4}},
         {readPointer(), click(2, 1, 1), readPointer(), click(4, 3, 0)},
         1002},
        {"MouseMoveClick", [](REALobject o) { pressmouse2(o, 30, -40, 1); }, {}, {click(30, -40, 1)}, 1002},
        {"MouseClick with right",
         [](REALobject o) { pressmouse3(o, 0, 1); },
         {{5, 6}},
         {readPointer(), click(6, 5, 0, 1)},
         1002},
        {"MouseMoveClick with right",
         [](REALobject o) { pressmouse4(o, 7, 8, 1, 0); },
         {},
         {click(7, 8, 1, 0)},
         1002},
        {"Boolean arguments widened with their sign",
         [](REALobject o) { pressmouse4(o, 0, 0, 2, 0xFF); },
         {},
         {click(0, 0, 2, 0xFFFFFFFF)},
         1002},
    };
    for (const MouseCase& c : cases) {
        SCOPED_TRACE(c.name);
        reset();
        recording().pointers = c.pointers;
        script({1002, 1002, 1002, 1002});
        c.method(object);
        EXPECT_EQ(calls(), c.expected);
        EXPECT_EQ(lasterror(), c.lasterror);
        EXPECT_EQ(lasterrorDuring(), std::vector<int32_t>(c.expected.size(), -1));
    }
}

TEST(MethodsDataOffset, IsReadFromTheClassDefinitionAtEveryCall) {
    recording() = RecordingInput{};
    ObjectMemory memory(0);
    unsigned char* bytes = memory.bytes();
    std::memset(bytes, 0, 128);
    // Two instance-data areas in one block: which one a call uses shows which offset it read.
    std::memcpy(bytes + 24 + kKeycode, "\x01\0\0\0", 4);
    std::memcpy(bytes + 56 + kKeycode, "\x02\0\0\0", 4);
    recording().results = {11, 22};

    TolvaneClass.dataOffset = 24;
    tolvaneraw(memory.object(), 1);
    TolvaneClass.dataOffset = 56;
    tolvaneraw(memory.object(), 1);
    TolvaneClass.dataOffset = 0;

    EXPECT_EQ(recording().calls, (Calls{key(0, 1, 1), key(0, 2, 1)}));
    int32_t first, second;
    std::memcpy(&first, bytes + 24 + kLasterror, 4);
    std::memcpy(&second, bytes + 56 + kLasterror, 4);
    EXPECT_EQ(first, 11);
    EXPECT_EQ(second, 22);
}

} // namespace
