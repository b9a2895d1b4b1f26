#include "framework/qt/PropertyList.h"

#include <QByteArray>
#include <QXmlStreamReader>

namespace fw::detail {

namespace {

bool isPlainValue(QStringView element) {
    for (const char* plain : {"string", "integer", "real", "date", "data"})
        if (element == QLatin1StringView(plain))
            return true;
    return false;
}

std::optional<std::map<std::string, std::string>> fail(const QXmlStreamReader& reader, std::string why,
                                                       std::string& problem) {
    problem = (reader.hasError() ? reader.errorString().toStdString() : why) + " (line " +
              std::to_string(reader.lineNumber()) + ")";
    return std::nullopt;
}

} // namespace

std::optional<std::map<std::string, std::string>> readPropertyList(std::string_view xml,
                                                                   std::string& problem) {
    QXmlStreamReader reader(QByteArray(xml.data(), static_cast<qsizetype>(xml.size())));
    if (!reader.readNextStartElement() || reader.name() != u"plist")
        return fail(reader, "it is no property list", problem);
    if (!reader.readNextStartElement() || reader.name() != u"dict")
        return fail(reader, "it holds no dictionary", problem);
    std::map<std::string, std::string> values;
    while (reader.readNextStartElement()) {
        if (reader.name() != u"key")
            return fail(reader, "a value stands without its key", problem);
        const std::string key = reader.readElementText().toStdString();
        if (reader.hasError() || !reader.readNextStartElement())
            return fail(reader, "the key " + key + " has no value", problem);
        if (values.count(key))
            return fail(reader, "the key " + key + " is given twice", problem);
        if (isPlainValue(reader.name()))
            values[key] = reader.readElementText().toStdString();
        else
            reader.skipCurrentElement(); // true, false, arrays and dictionaries: nothing read here
    }
    // The rest must be well-formed too: a list cut short is a damaged one.
    while (!reader.atEnd())
        reader.readNext();
    if (reader.hasError())
        return fail(reader, "", problem);
    return values;
}

} // namespace fw::detail
