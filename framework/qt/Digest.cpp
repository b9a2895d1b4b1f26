#include "framework/qt/Digest.h"

#include <QByteArray>
#include <QCryptographicHash>

namespace fw::detail {

namespace {
QByteArrayView viewOf(std::string_view bytes) {
    return QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size()));
}
} // namespace

std::string sha256Hex(std::string_view bytes) {
    return QCryptographicHash::hash(viewOf(bytes), QCryptographicHash::Sha256).toHex().toStdString();
}

std::string md5Bytes(std::string_view bytes) {
    return QCryptographicHash::hash(viewOf(bytes), QCryptographicHash::Md5).toStdString();
}

std::string base64(std::string_view bytes) {
    return viewOf(bytes).toByteArray().toBase64().toStdString();
}

} // namespace fw::detail
