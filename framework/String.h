// Framework strings: immutable, shared text with an encoding; literals are UTF-8. Comparison with
// == ignores letter case, as the program's comparisons rely on. Positions count characters from 1.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace fw {

enum class Encoding { UTF8, Bytes };

class String {
  public:
    String() = default;
    String(const char* text, Encoding encoding = Encoding::UTF8)
        : String(std::string_view(text ? text : ""), encoding) {}
    String(std::string_view text, Encoding encoding = Encoding::UTF8);
    String(std::string text, Encoding encoding = Encoding::UTF8);

    // The bytes; nil and "" are both the empty string.
    const std::string& bytes() const;
    const char* c_str() const { return bytes().c_str(); }
    std::size_t byteLength() const { return bytes().size(); }
    bool empty() const { return bytes().empty(); }
    Encoding encoding() const { return encoding_; }

    friend String operator+(const String& a, const String& b);
    // Equal regardless of letter case.
    friend bool operator==(const String& a, const String& b);
    bool sameBytes(const String& other) const { return bytes() == other.bytes(); }

  private:
    std::shared_ptr<const std::string> text_;
    Encoding encoding_ = Encoding::UTF8;
};

// The text functions. Positions and lengths count characters (UTF-8 code points), from 1.
String Str(int32_t value);
String Str(double value);
double Val(const String& text);
String NthField(const String& text, const String& separator, int32_t field);
int32_t InStr(const String& text, const String& find);
int32_t InStr(int32_t start, const String& text, const String& find);
String Mid(const String& text, int32_t start);
String Mid(const String& text, int32_t start, int32_t length);
int32_t Len(const String& text);
String Lowercase(const String& text);
String Chr(int32_t codePoint);

// The framework's conversion of a double to an Integer.
int32_t toInteger(double value);

} // namespace fw
