// Framework strings and the text functions, with the edge cases the program's readers rely on.
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/String.h"

using namespace fw;

namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(FrameworkString, NilAndEmptyAreOneAndTheSame) {
    EXPECT_TRUE(String().empty());
    EXPECT_TRUE(String() == String(""));
    EXPECT_TRUE(String(nullptr).empty());
    EXPECT_EQ(String().bytes(), "");
}

TEST(FrameworkString, EqualityIgnoresLetterCase) {
    struct Case {
        const char *a, *b;
        bool equal;
    };
    const Case cases[] = {
        {"Window1Position", "window1position", true},
        {"Window1Position", "WINDOW1POSITION", true},
        {"Yes", "yes", true},
        {"Yes", " Yes", false},
        {"Yes", "Yesterday", false},
        {"abc", "abd", false},
        {"\xC3\xA4rger", "\xC3\x84RGER", true},                         // ärger, ÄRGER
        {"\xCF\x83\xCE\xB1\xCF\x82", "\xCE\xA3\xCE\x91\xCE\xA3", true}, // σας, ΣΑΣ: final sigma folds
        {"\xC3\xA4", "a", false},
        {"", "", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(String(c.a) == String(c.b), c.equal) << c.a << " = " << c.b;
    EXPECT_FALSE(String("Yes").sameBytes(String("yes")));
}

TEST(FrameworkString, ConcatenationAndSharedStorage) {
    const String left("#Window1Position ");
    const String line = left + Str(120) + Chr(44) + Str(-5);
    EXPECT_EQ(line.bytes(), "#Window1Position 120,-5");
    EXPECT_EQ((String() + String()).bytes(), "");
    const String copy = line;
    EXPECT_EQ(&copy.bytes(), &line.bytes()) << "copies share one immutable text";
}

TEST(TextFunctions, StrOfInteger) {
    const std::pair<int32_t, const char*> cases[] = {
        {0, "0"}, {70, "70"}, {-5, "-5"}, {1000, "1000"}, {kMax, "2147483647"}, {kMin, "-2147483648"}};
    for (auto [value, text] : cases)
        EXPECT_EQ(Str(value).bytes(), text);
}

TEST(TextFunctions, StrOfDouble) {
    const std::pair<double, const char*> cases[] = {
        {1000.0, "1000"}, {-3.0, "-3"}, {0.5, "0.5"},          {0.1, "0.1"},         {-0.0, "0"},
        {1e6, "1000000"}, {1.3, "1.3"}, {1.25e20, "1.25e+20"}, {-2.5e-7, "-2.5e-07"}};
    for (auto [value, text] : cases)
        EXPECT_EQ(Str(value).bytes(), text) << value;
}

TEST(TextFunctions, ValReadsTheNumberTheTextBeginsWith) {
    const std::pair<const char*, double> cases[] = {
        {"70", 70},          {"-5", -5},        {"+3", 3},      {"  12", 12},
        {"\t7", 7},          {"\r\n  7\n", 7},  {"01", 1},      {"1.5", 1.5},
        {".5", 0.5},         {"5.", 5},         {"1.3.0", 1.3}, {"1e3", 1000},
        {"2E-2", 0.02},      {"1e", 1},         {"1e+", 1},     {"12abc", 12},
        {"120,-5", 120},     {"abc", 0},        {"", 0},        {"0b2", 0},
        {"- 3", 0},          {"-", 0},          {".", 0},       {"&h10", 0},
        {"1e999", kInf},     {"-1e999", -kInf}, {"1e-999", 0},  {"0.000e99999", 0},
        {"0.001e400", kInf},
    };
    for (auto [text, value] : cases)
        EXPECT_EQ(Val(String(text)), value) << '"' << text << '"';
}

TEST(TextFunctions, ValTellsOverflowFromUnderflowByTheWholeNumber) {
    const std::string manyDigits = "1" + std::string(400, '0');
    EXPECT_EQ(Val(String(manyDigits + "e-50")), kInf);
    EXPECT_EQ(Val(String("0." + std::string(400, '0') + "1e50")), 0.0);
    EXPECT_EQ(Val(String("1e99999999999999999999")), kInf);
}

TEST(TextFunctions, ValGivesBackEveryIntegerThatStrWrites) {
    for (int32_t value : {0, 1, -1, 70, 10, -5, 120, 1000, kMax, kMin})
        EXPECT_EQ(toInteger(Val(Str(value))), value);
}

TEST(TextFunctions, NthField) {
    struct Case {
        const char *text, *separator;
        int32_t field;
        const char* expected;
    };
    const Case cases[] = {
        {"70,10", ",", 1, "70"},    {"70,10", ",", 2, "10"}, {"70,10", ",", 3, ""},
        {"70,10", ",", 0, ""},      {"70,10", ",", -1, ""},  {"70,10,99", ",", 3, "99"},
        {"70", ",", 1, "70"},       {"70", ",", 2, ""},      {"", ",", 1, ""},
        {"a,,b", ",", 2, ""},       {"a,,b", ",", 3, "b"},   {",a", ",", 1, ""},
        {"1.3.0b2", ".", 3, "0b2"}, {"abc", "", 1, "abc"},   {"abc", "", 2, ""},
        {"a::b", "::", 2, "b"},     {"aXb", "x", 2, ""},     {"\xC3\xA4,\xC3\xB6", ",", 2, "\xC3\xB6"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NthField(String(c.text), String(c.separator), c.field).bytes(), c.expected)
            << c.text << " / " << c.separator << " / " << c.field;
}

TEST(TextFunctions, InStr) {
    struct Case {
        int32_t start;
        const char *text, *find;
        int32_t expected;
    };
    const Case cases[] = {
        {1, "#Window1Position 70,10", " ", 17},
        {1, "abc", "d", 0},
        {1, "", "a", 0},
        {1, "abc", "", 1},
        {4, "abc", "", 4},
        {0, "abcabc", "b", 2},
        {1, "abcabc", "b", 2},
        {3, "abcabc", "b", 5},
        {6, "abcabc", "b", 0},
        {7, "abc", "a", 0},
        {-3, "abc", "c", 3},
        {1, "ABC", "b", 0}, // exact letters only
        {1,
         "\xC3\xA4"
         "bc",
         "b", 2},
        {2,
         "\xC3\xA4\xC3\xA4"
         "b",
         "b", 3},
        {1, "<Free>Yes</Free>", "<Free>", 1},
        {7, "<Free>Yes</Free>", "</Free>", 10},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InStr(c.start, String(c.text), String(c.find)), c.expected)
            << c.start << " / " << c.text << " / " << c.find;
    EXPECT_EQ(InStr(String("#a b"), String(" ")), 3);
}

TEST(TextFunctions, InStrMatchesOnlyWholeCharacters) {
    // "\xA4" is the tail of "ä": it must not be found inside it.
    EXPECT_EQ(InStr(String("\xC3\xA4\xA4"), String("\xA4")), 2);
}

TEST(TextFunctions, Mid) {
    struct Case {
        const char* text;
        int32_t start, length;
        const char* expected;
    };
    constexpr int32_t toEnd = -99; // marks the two-argument form
    const Case cases[] = {
        {"abc", 1, 1, "a"},
        {"abc", 2, toEnd, "bc"},
        {"abc", 4, toEnd, ""},
        {"abc", 3, 5, "c"},
        {"abc", 2, 0, ""},
        {"abc", 2, -1, ""},
        {"abc", 0, 2, "ab"},
        {"", 1, 1, ""},
        {"", 1, toEnd, ""},
        {"#Window1Position 70,10", 2, 15, "Window1Position"},
        {"#Window1Position 70,10", 18, toEnd, "70,10"},
        {"#Window1Position", 17, toEnd, ""},
        {"\xC3\xA4\xC3\xB6\xC3\xBC", 2, 1, "\xC3\xB6"},
        {"<Free>Yes</Free>", 7, 3, "Yes"},
    };
    for (const Case& c : cases) {
        const String text(c.text);
        const String got = c.length == toEnd ? Mid(text, c.start) : Mid(text, c.start, c.length);
        EXPECT_EQ(got.bytes(), c.expected) << c.text << " / " << c.start << " / " << c.length;
    }
}

TEST(TextFunctions, LenCountsCharacters) {
    const std::pair<const char*, int32_t> cases[] = {
        {"", 0}, {"abc", 3}, {"\xC3\xA4\xC3\xB6\xC3\xBC", 3}, {"\xE6\x97\xA5\xE6\x9C\xAC", 2}, {"\xFF", 1}};
    for (auto [text, length] : cases)
        EXPECT_EQ(Len(String(text)), length) << text;
}

TEST(TextFunctions, TextOfBytesCountsBytesEverywhere) {
    const String bytes("\xC3\xA4"
                       "b",
                       Encoding::Bytes);
    EXPECT_EQ(Len(bytes), 3);
    EXPECT_EQ(InStr(bytes, String("b")), 3);
    EXPECT_EQ(Mid(bytes, 3, 1).bytes(), "b");
}

TEST(TextFunctions, Lowercase) {
    const std::pair<const char*, const char*> cases[] = {
        {"Window1Position", "window1position"},
        {"WINDOW1POSITION", "window1position"},
        {"70,10", "70,10"},
        {"\xC3\x84\xC3\x96\xC3\x9C", "\xC3\xA4\xC3\xB6\xC3\xBC"}, // ÄÖÜ
        {"\xFF"
         "A",
         "\xFF"
         "a"}, // a stray byte survives
        {"", ""},
    };
    for (auto [text, lower] : cases)
        EXPECT_EQ(Lowercase(String(text)).bytes(), lower);
}

TEST(TextFunctions, Chr) {
    const std::pair<int32_t, std::string> cases[] = {
        {44, ","}, {65, "A"},    {0xE4, "\xC3\xA4"}, {0x1F600, "\xF0\x9F\x98\x80"}, {0, std::string(1, '\0')},
        {-1, ""},  {0xD800, ""}, {0x110000, ""},
    };
    for (const auto& [code, text] : cases)
        EXPECT_EQ(Chr(code).bytes(), text) << code;
}

TEST(TextFunctions, ToIntegerTruncatesAndSaturates) {
    const std::pair<double, int32_t> cases[] = {
        {0.0, 0},
        {1.9, 1},
        {-1.9, -1},
        {70.0, 70},
        {2147483647.9, kMax},
        {2147483648.0, kMax},
        {1e300, kMax},
        {kInf, kMax},
        {-2147483648.9, kMin},
        {-2147483649.0, kMin},
        {-1e300, kMin},
        {-kInf, kMin},
        {std::nan(""), 0},
    };
    for (auto [value, integer] : cases)
        EXPECT_EQ(toInteger(value), integer) << value;
}

} // namespace
