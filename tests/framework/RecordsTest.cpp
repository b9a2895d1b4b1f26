// Property records: the layout bytes decoded against the target's declared property types.
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "framework/Properties.h"
#include "tests/framework/TestObject.h"

using namespace fw;

namespace {

class Recorder;

PropertyInfo recorded(const char* name, PropertyType type);

// A target whose setters record every value they receive, in order.
class Recorder : public TestObject<Recorder> {
  public:
    static ClassRecord describe() {
        return {
            .name = "test.Recorder",
            .super = &Object::Class(),
            .properties =
                {
                    recorded("Mode", PropertyType::Integer),
                    recorded("Period", PropertyType::Integer),
                    recorded("Index", PropertyType::Integer),
                    recorded("ListIndex", PropertyType::Integer),
                    recorded("Name", PropertyType::String),
                    recorded("HelpTag", PropertyType::String),
                    recorded("InitialValue", PropertyType::String),
                    recorded("Visible", PropertyType::Boolean),
                    recorded("Yield", PropertyType::Boolean),
                    recorded("TextColor", PropertyType::Color),
                    recorded("TextSize", PropertyType::Single),
                    recorded("LineSpacing", PropertyType::Double),
                    recorded("TextUnit", PropertyType::Byte),
                    recorded("Owner", PropertyType::Object),
                    {.name = "Frozen", .type = PropertyType::Integer},
                },
        };
    }
    std::vector<std::pair<std::string, Value>> applied;
};

PropertyInfo recorded(const char* name, PropertyType type) {
    return {.name = name, .type = type, .set = [name](Object& target, const Value& value) {
                static_cast<Recorder&>(target).applied.emplace_back(name, value);
            }};
}

// A subclass without properties of its own, as a window's timer subclasses the framework's.
class RecorderChild : public TestObject<RecorderChild, Recorder> {
  public:
    static ClassRecord describe() {
        return {.name = "test.Window.RecorderChild", .super = &Recorder::Class()};
    }
};

// Two classes on which the same name "Value" has different types.
template <class T, PropertyType type> class ValueHolder : public TestObject<ValueHolder<T, type>> {
  public:
    static ClassRecord describe() {
        auto set = [](void (*write)(ValueHolder&, const Value&)) {
            return [write](Object& o, const Value& v) { write(static_cast<ValueHolder&>(o), v); };
        };
        return {
            .name = type == PropertyType::Boolean ? "test.CheckBox" : "test.ProgressBar",
            .super = &Object::Class(),
            .properties = {{.name = "Value", .type = type, .set = set([](ValueHolder& h, const Value& v) {
                                                               h.value = v.get<T>();
                                                           })},
                           {.name = "Maximum",
                            .type = PropertyType::Integer,
                            .set = set([](ValueHolder& h, const Value& v) { h.maximum = v.asInteger(); })}},
        };
    }
    T value{};
    int32_t maximum = 0;
};
using CheckBoxLike = ValueHolder<bool, PropertyType::Boolean>;
using ProgressBarLike = ValueHolder<int32_t, PropertyType::Integer>;

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values)
        out.push_back(static_cast<char>(v));
    return out;
}

std::string stringValue(const std::string& text) {
    const auto n = static_cast<uint32_t>(text.size());
    return bytes({int(n >> 24), int((n >> 16) & 0xFF), int((n >> 8) & 0xFF), int(n & 0xFF)}) + text;
}

const std::string timerRecord = "Mode " + bytes({0, 0, 0, 0}) + "Period " + bytes({0, 0, 3, 0xE8});

TEST(PropertyRecord, TimerRecordGivesModeAndPeriodAndNothingElse) {
    ASSERT_EQ(timerRecord.size(), 20u);
    Recorder timer;
    _SetProperties(timer, String(timerRecord));
    ASSERT_EQ(timer.applied.size(), 2u);
    EXPECT_EQ(timer.applied[0].first, "Mode");
    EXPECT_EQ(timer.applied[0].second.asInteger(), 0);
    EXPECT_EQ(timer.applied[1].first, "Period");
    EXPECT_EQ(timer.applied[1].second.asInteger(), 1000);
}

TEST(PropertyRecord, EncoderWritesTheTimerRecordByteForByte) {
    EXPECT_EQ(encodeRecord({{"Mode", 0}, {"Period", 1000}}).bytes(), timerRecord);
}

TEST(PropertyRecord, PropertiesOfTheParentClassAreFound) {
    RecorderChild timer;
    _SetProperties(timer, String(timerRecord));
    EXPECT_EQ(timer.applied.size(), 2u);
}

TEST(PropertyRecord, IntegersAreSignedBigEndian) {
    const std::pair<std::string, int32_t> cases[] = {
        {bytes({0x80, 0, 0, 0}), -2147483648},
        {bytes({0x7F, 0xFF, 0xFF, 0xFF}), 2147483647},
        {bytes({0xFF, 0xFF, 0xFF, 0xFE}), -2},
        {bytes({0, 0, 0, 0xAB}), 171},
    };
    for (const auto& [encoded, value] : cases) {
        Recorder control;
        _SetProperties(control, String("Index " + encoded));
        ASSERT_EQ(control.applied.size(), 1u);
        EXPECT_EQ(control.applied[0].second.asInteger(), value);
    }
}

TEST(PropertyRecord, StringWithByteCountZeroIsEmptyAndTheNextEntryFollows) {
    Recorder control;
    _SetProperties(control, String("HelpTag " + stringValue("") + "Visible " + bytes({1})));
    ASSERT_EQ(control.applied.size(), 2u);
    EXPECT_TRUE(control.applied[0].second.asString().empty());
    EXPECT_TRUE(control.applied[1].second.asBoolean());
}

TEST(PropertyRecord, ListRowsArriveWhole) {
    std::vector<std::string> rows = {" Let me sleep"};
    for (int minutes = 1; minutes <= 10; ++minutes)
        rows.push_back(std::string(minutes < 10 ? 7 : 6, ' ') + std::to_string(minutes) + " min");
    std::string joined;
    for (const std::string& row : rows)
        joined += (joined.empty() ? "" : "\r") + row;

    Recorder popup;
    _SetProperties(popup, String("InitialValue " + stringValue(joined) + "ListIndex " + bytes({0, 0, 0, 0})));
    ASSERT_EQ(popup.applied.size(), 2u);
    const String got = popup.applied[0].second.asString();
    EXPECT_TRUE(got.sameBytes(String(joined)));
    std::vector<std::string> decoded;
    for (int32_t n = 1; !NthField(got, Chr(13), n).empty(); ++n)
        decoded.push_back(NthField(got, Chr(13), n).bytes());
    EXPECT_EQ(decoded, rows);
    EXPECT_EQ(popup.applied[1].first, "ListIndex");
}

TEST(PropertyRecord, ColorsAreRedGreenBlue) {
    Recorder label;
    _SetProperties(label, String("TextColor " + bytes({0xFF, 0x80, 0x01})));
    ASSERT_EQ(label.applied.size(), 1u);
    EXPECT_EQ(label.applied[0].second.asColor(), RGB(0xFF, 0x80, 0x01));
}

TEST(PropertyRecord, TheSameNameTakesTheWidthOfItsTypeOnEachClass) {
    CheckBoxLike check;
    _SetProperties(check, String("Value " + bytes({1}) + "Maximum " + bytes({0, 0, 0, 100})));
    EXPECT_TRUE(check.value);
    EXPECT_EQ(check.maximum, 100);

    ProgressBarLike progress;
    _SetProperties(progress, String("Value " + bytes({0, 0, 0, 1}) + "Maximum " + bytes({0, 0, 0, 100})));
    EXPECT_EQ(progress.value, 1);
    EXPECT_EQ(progress.maximum, 100);
}

TEST(PropertyRecord, AnyNonZeroBooleanByteIsTrue) {
    const std::pair<int, bool> cases[] = {{0, false}, {1, true}, {2, true}, {0xFF, true}};
    for (auto [byte, value] : cases) {
        CheckBoxLike check;
        check.value = !value;
        _SetProperties(check, String("Value " + bytes({byte})));
        EXPECT_EQ(check.value, value) << byte;
    }
}

TEST(PropertyRecord, NamesMatchRegardlessOfLetterCase) {
    Recorder socket;
    _SetProperties(socket, String("yield " + bytes({1}) + "PERIOD " + bytes({0, 0, 0, 80})));
    ASSERT_EQ(socket.applied.size(), 2u);
    EXPECT_EQ(socket.applied[0].first, "Yield");
    EXPECT_EQ(socket.applied[1].first, "Period");
}

TEST(PropertyRecord, EmptyRecordSetsNothing) {
    Recorder control;
    _SetProperties(control, String());
    EXPECT_TRUE(control.applied.empty());
}

// Each bad tail follows a good "Mode" entry, which must stay applied.
TEST(PropertyRecord, BadEntriesRaiseAfterTheEarlierOnesWereApplied) {
    struct Case {
        const char* what;
        std::string tail;
        const char* named; // what the message must name
    };
    const Case cases[] = {
        {"unknown property", "Colour " + bytes({1, 2, 3}), "Colour"},
        {"name without its blank", "Period", "Period"},
        {"integer cut short", "Period " + bytes({0, 0, 3}), "Period"},
        {"boolean missing", "Visible ", "Visible"},
        {"colour cut short", "TextColor " + bytes({0xFF, 0xFF}), "TextColor"},
        {"byte count cut short", "Name " + bytes({0, 0}), "Name"},
        {"string cut short", "Name " + bytes({0, 0, 0, 5}) + "abc", "Name"},
        {"huge byte count", "Name " + bytes({0xFF, 0xFF, 0xFF, 0xFF}) + "ab", "Name"},
        {"single-precision number", "TextSize " + bytes({0, 0, 0, 0}), "TextSize"},
        {"double", "LineSpacing " + bytes({0, 0, 0, 0, 0, 0, 0, 0}), "LineSpacing"},
        {"byte enumeration", "TextUnit " + bytes({0}), "TextUnit"},
        {"object", "Owner " + bytes({0, 0, 0, 0}), "Owner"},
        {"property without a setter", "Frozen " + bytes({0, 0, 0, 0}), "Frozen"},
        {"blank without a name", " " + bytes({0, 0, 0, 0}), "\"\""},
    };
    for (const Case& c : cases) {
        Recorder control;
        try {
            _SetProperties(control, String("Mode " + bytes({0, 0, 0, 2}) + c.tail));
            ADD_FAILURE() << c.what << ": no exception";
        } catch (const PropertyRecordException& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find(c.named), std::string::npos) << c.what << ": " << message;
            EXPECT_NE(message.find("test.Recorder"), std::string::npos) << c.what << ": " << message;
        }
        ASSERT_EQ(control.applied.size(), 1u) << c.what;
        EXPECT_EQ(control.applied[0].second.asInteger(), 2) << c.what;
    }
}

TEST(PropertyRecord, EveryKindRoundTripsThroughTheEncoder) {
    const String record = encodeRecord({{"Name", "ComboBox1"},
                                        {"Index", -2147483647 - 1},
                                        {"Visible", true},
                                        {"Yield", false},
                                        {"TextColor", RGB(1, 2, 3)},
                                        {"HelpTag", ""},
                                        {"InitialValue", std::string("a\rb")}});
    Recorder control;
    _SetProperties(control, record);
    ASSERT_EQ(control.applied.size(), 7u);
    EXPECT_EQ(control.applied[0].second.asString().bytes(), "ComboBox1");
    EXPECT_EQ(control.applied[1].second.asInteger(), -2147483647 - 1);
    EXPECT_TRUE(control.applied[2].second.asBoolean());
    EXPECT_FALSE(control.applied[3].second.asBoolean());
    EXPECT_EQ(control.applied[4].second.asColor(), RGB(1, 2, 3));
    EXPECT_TRUE(control.applied[5].second.asString().empty());
    EXPECT_EQ(control.applied[6].second.asString().bytes(), "a\rb");
}

TEST(PropertyRecord, EncoderRefusesNamesThatCannotBeReadBack) {
    EXPECT_THROW(encodeRecord({{"Help Tag", ""}}), PropertyRecordException);
    EXPECT_THROW(encodeRecord({{"", 1}}), PropertyRecordException);
}

} // namespace
