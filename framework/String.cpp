#include "framework/String.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "framework/TextCase.h"
#include "framework/Utf8.h"

namespace fw {

String::String(std::string_view text, Encoding encoding) : String(std::string(text), encoding) {}

String::String(std::string text, Encoding encoding) : encoding_(encoding) {
    // The empty text stays nil: nil and "" are one and the same.
    if (!text.empty())
        text_ = std::make_shared<const std::string>(std::move(text));
}

const std::string& String::bytes() const {
    static const std::string empty;
    return text_ ? *text_ : empty;
}

String operator+(const String& a, const String& b) {
    if (b.empty())
        return a;
    if (a.empty())
        return b;
    const Encoding encoding = a.encoding() == b.encoding() ? a.encoding() : Encoding::Bytes;
    return String(a.bytes() + b.bytes(), encoding);
}

bool operator==(const String& a, const String& b) {
    return equalsIgnoringCase(a.bytes(), b.bytes());
}

namespace {

// Walks a text character by character: UTF-8 code points, or single bytes for a text of bytes.
// Every position in the text functions is counted this way, so InStr, Mid and Len agree.
class Characters {
  public:
    explicit Characters(const String& text)
        : bytes_(text.bytes()), perByte_(text.encoding() == Encoding::Bytes) {}

    std::size_t size() const { return bytes_.size(); }
    std::size_t next(std::size_t at) const {
        return perByte_ ? at + 1 : at + utf8::decode(bytes_, at).length;
    }
    // The byte offset `count` characters on from `at` (the end when the text runs out).
    std::size_t advance(std::size_t at, int64_t count) const {
        for (; count > 0 && at < bytes_.size(); --count)
            at = next(at);
        return at;
    }
    int32_t count(std::size_t from, std::size_t to) const {
        int32_t n = 0;
        for (; from < to; from = next(from))
            ++n;
        return n;
    }
    // The first occurrence of `find` at or after byte `from` that begins on a character; npos if none.
    std::size_t find(std::string_view find, std::size_t from) const {
        std::size_t walker = from;
        while (true) {
            const std::size_t hit = bytes_.find(find, walker);
            if (hit == std::string_view::npos)
                return hit;
            while (walker < hit)
                walker = next(walker);
            if (walker == hit)
                return hit;
        }
    }
    std::string_view slice(std::size_t from, std::size_t to) const { return bytes_.substr(from, to - from); }

  private:
    std::string_view bytes_;
    bool perByte_;
};

String sliceOf(const String& text, const Characters& chars, std::size_t from, std::size_t to) {
    return String(chars.slice(from, to), text.encoding());
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Parses the digits of a number as from_chars does, but tells overflow (infinity) from underflow
// (zero), which from_chars reports alike.
double parseNumber(std::string_view number, int64_t decimalExponent) {
    double value = 0;
    if (std::from_chars(number.data(), number.data() + number.size(), value).ec ==
        std::errc::result_out_of_range)
        return decimalExponent >= 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return value;
}

} // namespace

String Str(int32_t value) {
    return String(std::to_string(value));
}

String Str(double value) {
    if (value == 0)
        value = 0; // no "-0"
    char buffer[64];
    // Whole numbers read best without an exponent; everything else in its shortest round-trip form.
    const bool whole = std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15;
    const auto result = whole ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed)
                              : std::to_chars(buffer, buffer + sizeof buffer, value);
    return String(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

// The number the text begins with: blanks and tabs skipped, an optional sign, digits, an optional
// fraction and exponent. Anything else ends the number; a text without one is 0.
double Val(const String& text) {
    const std::string_view s = text.bytes();
    std::size_t i = 0;
    // Blanks, tabs and line breaks: a number on a line of its own reads as that number.
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\r' || s[i] == '\n'))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';

    const std::size_t start = i;
    std::size_t integerDigits = 0, leadingZeros = 0, mantissaDigits = 0;
    bool significant = false;
    auto digits = [&](bool integerPart) {
        for (; i < s.size() && isDigit(s[i]); ++i) {
            ++mantissaDigits;
            integerDigits += integerPart;
            significant = significant || s[i] != '0';
            leadingZeros += !significant;
        }
    };
    digits(true);
    if (i < s.size() && s[i] == '.') {
        ++i;
        digits(false);
    }
    if (mantissaDigits == 0)
        return 0;

    int64_t exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        const bool negativeExponent = j < s.size() && s[j] == '-';
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        if (j < s.size() && isDigit(s[j])) {
            for (; j < s.size() && isDigit(s[j]); ++j)
                exponent = std::min<int64_t>(exponent * 10 + (s[j] - '0'), 1'000'000'000);
            exponent = negativeExponent ? -exponent : exponent;
            i = j;
        }
    }
    // The power of ten of the first significant digit decides overflow or underflow.
    const int64_t magnitude =
        exponent + static_cast<int64_t>(integerDigits) - static_cast<int64_t>(leadingZeros) - 1;
    const double value = significant ? parseNumber(s.substr(start, i - start), magnitude) : 0.0;
    return negative ? -value : value;
}

// Fields are split at exact, case-sensitive matches of the separator.
String NthField(const String& text, const String& separator, int32_t field) {
    if (field < 1)
        return String();
    if (separator.empty())
        return field == 1 ? text : String();
    const Characters chars(text);
    const std::string_view sep = separator.bytes();
    std::size_t from = 0;
    for (int32_t n = 1; n < field; ++n) {
        const std::size_t hit = chars.find(sep, from);
        if (hit == std::string_view::npos)
            return String();
        from = hit + sep.size();
    }
    const std::size_t hit = chars.find(sep, from);
    return sliceOf(text, chars, from, hit == std::string_view::npos ? chars.size() : hit);
}

int32_t InStr(const String& text, const String& find) {
    return InStr(1, text, find);
}

// Case-sensitive: the program looks only for texts written with their exact letters.
int32_t InStr(int32_t start, const String& text, const String& find) {
    start = std::max(start, 1);
    if (find.empty())
        return start;
    const Characters chars(text);
    const std::size_t from = chars.advance(0, start - 1);
    if (from >= chars.size())
        return 0;
    const std::size_t hit = chars.find(find.bytes(), from);
    return hit == std::string_view::npos ? 0 : start + chars.count(from, hit);
}

String Mid(const String& text, int32_t start) {
    return Mid(text, start, std::numeric_limits<int32_t>::max());
}

String Mid(const String& text, int32_t start, int32_t length) {
    if (length <= 0)
        return String();
    const Characters chars(text);
    const std::size_t from = chars.advance(0, std::max(start, 1) - 1);
    return sliceOf(text, chars, from, chars.advance(from, length));
}

int32_t Len(const String& text) {
    const Characters chars(text);
    return chars.count(0, chars.size());
}

String Lowercase(const String& text) {
    if (text.encoding() == Encoding::Bytes) {
        std::string lower = text.bytes();
        for (char& c : lower)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return String(std::move(lower), Encoding::Bytes);
    }
    return String(toLowerUtf8(text.bytes()));
}

// A code point that UTF-8 cannot carry (negative, a surrogate, beyond U+10FFFF) gives the empty text.
String Chr(int32_t codePoint) {
    std::string out;
    if (codePoint >= 0)
        utf8::append(out, static_cast<char32_t>(codePoint));
    return String(std::move(out));
}

int32_t toInteger(double value) {
    // Truncates toward zero and saturates at the ends of the range; NaN has no value and gives 0.
    if (std::isnan(value))
        return 0;
    if (value >= 2147483648.0)
        return std::numeric_limits<int32_t>::max();
    if (value <= -2147483649.0)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

} // namespace fw
