#include "framework/Properties.h"

#include <limits>
#include <optional>

namespace fw {

namespace {

// A property name as a message shows it: printable ASCII only, since a broken record may hold anything.
std::string shown(std::string_view name) {
    std::string out;
    for (char c : name.substr(0, 64))
        out.push_back(c >= 0x20 && c < 0x7F ? c : '?');
    return out;
}

// Reads a record front to back; take() never lets a read pass the end.
class RecordReader {
  public:
    explicit RecordReader(std::string_view bytes) : bytes_(bytes) {}

    bool atEnd() const { return position_ == bytes_.size(); }
    bool take(std::size_t count, std::string_view& out) {
        if (count > bytes_.size() - position_)
            return false;
        out = bytes_.substr(position_, count);
        position_ += count;
        return true;
    }
    // The bytes up to the next blank, and the blank itself; false when no blank follows.
    bool takeName(std::string_view& name) {
        const std::size_t blank = bytes_.find(' ', position_);
        if (blank == std::string_view::npos)
            return false;
        name = bytes_.substr(position_, blank - position_);
        position_ = blank + 1;
        return true;
    }
    std::string_view rest() const { return bytes_.substr(position_); }

  private:
    std::string_view bytes_;
    std::size_t position_ = 0;
};

uint32_t bigEndian(std::string_view four) {
    uint32_t n = 0;
    for (char c : four)
        n = (n << 8) | static_cast<unsigned char>(c);
    return n;
}

void appendBigEndian(std::string& out, uint32_t n) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((n >> shift) & 0xFF));
}

// The value of one entry, in the encoding of the property's declared type; nothing when the record
// ends inside it.
std::optional<Value> readValue(RecordReader& reader, PropertyType type) {
    std::string_view bytes;
    switch (type) {
    case PropertyType::Integer:
        if (!reader.take(4, bytes))
            return std::nullopt;
        return Value(static_cast<int32_t>(bigEndian(bytes)));
    case PropertyType::Boolean:
        if (!reader.take(1, bytes))
            return std::nullopt;
        return Value(bytes[0] != 0);
    case PropertyType::Color:
        if (!reader.take(3, bytes))
            return std::nullopt;
        return Value(RGB(static_cast<unsigned char>(bytes[0]), static_cast<unsigned char>(bytes[1]),
                         static_cast<unsigned char>(bytes[2])));
    case PropertyType::String:
        if (!reader.take(4, bytes) || !reader.take(bigEndian(bytes), bytes))
            return std::nullopt;
        return Value(String(bytes));
    case PropertyType::Double:
    case PropertyType::Single:
    case PropertyType::Byte:
    case PropertyType::Object:
        break;
    }
    return std::nullopt;
}

bool recordCarries(PropertyType type) {
    return type == PropertyType::Integer || type == PropertyType::Boolean || type == PropertyType::Color ||
           type == PropertyType::String;
}

[[noreturn]] void fail(const ClassRecord& cls, const std::string& what) {
    throw PropertyRecordException("The property record for an object of class " + cls.name + " " + what +
                                  ".");
}

} // namespace

void _SetProperties(Object& target, const String& record) {
    const ClassRecord& cls = target.classRecord();

    RecordReader reader(record.bytes());
    while (!reader.atEnd()) {
        std::string_view name;
        if (!reader.takeName(name))
            fail(cls, "ends inside the property name \"" + shown(reader.rest()) + "\"");
        const PropertyInfo* property = cls.findProperty(name);
        if (!property)
            fail(cls, "names the property \"" + shown(name) + "\", which the class does not have");
        if (!recordCarries(property->type))
            fail(cls, "names the property \"" + property->name + "\", whose type a record cannot carry");
        if (!property->set)
            fail(cls, "names the property \"" + property->name + "\", which cannot be set");
        const std::optional<Value> value = readValue(reader, property->type);
        if (!value)
            fail(cls, "ends inside the value of the property \"" + property->name + "\"");
        property->set(target, *value);
    }
}

void RecordEntry::appendTo(std::string& out) const {
    const std::string_view name(name_);
    if (name.empty() || name.find(' ') != std::string_view::npos)
        throw PropertyRecordException("The property name \"" + shown(name) + "\" cannot stand in a record.");
    out.append(name);
    out.push_back(' ');
    if (const int32_t* i = std::get_if<int32_t>(&value_)) {
        appendBigEndian(out, static_cast<uint32_t>(*i));
    } else if (const bool* b = std::get_if<bool>(&value_)) {
        out.push_back(*b ? '\x01' : '\x00');
    } else if (const Color* c = std::get_if<Color>(&value_)) {
        for (uint8_t component : {c->red, c->green, c->blue})
            out.push_back(static_cast<char>(component));
    } else {
        const std::string& text = std::get<std::string>(value_);
        if (text.size() > std::numeric_limits<uint32_t>::max())
            throw PropertyRecordException("The value of the property \"" + shown(name) +
                                          "\" is too long for a record.");
        appendBigEndian(out, static_cast<uint32_t>(text.size()));
        out.append(text);
    }
}

String encodeRecord(std::initializer_list<RecordEntry> entries) {
    std::string bytes;
    for (const RecordEntry& entry : entries)
        entry.appendTo(bytes);
    return String(std::move(bytes));
}

} // namespace fw
