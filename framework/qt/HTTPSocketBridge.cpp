#include "framework/qt/HTTPSocketBridge.h"

#include <QTimer>

#include "framework/Runtime.h"
#include "framework/qt/Convert.h"

namespace fw::detail {

struct ConnectTarget {
    String host;
    int32_t port = 0;
};

ConnectTarget& connectTarget() {
    static auto* target = new ConnectTarget();
    return *target;
}

namespace {

// "http://host[:port]/path": what the request needs of it; false when it is no such address.
struct Address {
    std::string host; // as the Host header gives it (with ":port" when one is named)
    std::string name; // the name to connect to
    uint16_t port = 80;
    std::string path;
};

bool parse(const std::string& url, Address& out) {
    constexpr std::string_view scheme = "http://";
    if (url.size() <= scheme.size() || !equalsIgnoringCase(url.substr(0, scheme.size()), scheme))
        return false;
    const std::string rest = url.substr(scheme.size());
    const std::size_t slash = rest.find('/');
    out.host = rest.substr(0, slash);
    out.path = slash == std::string::npos ? "/" : rest.substr(slash);
    out.name = out.host;
    const std::size_t colon = out.host.rfind(':');
    if (colon != std::string::npos && out.host.find(']') == std::string::npos) {
        const std::string digits = out.host.substr(colon + 1);
        if (digits.empty() || digits.size() > 5 ||
            digits.find_first_not_of("0123456789") != std::string::npos)
            return false;
        const int port = std::stoi(digits);
        if (port < 1 || port > 65535)
            return false;
        out.port = static_cast<uint16_t>(port);
        out.name = out.host.substr(0, colon);
    }
    // Nothing that could break the request line or the header open.
    const auto unsafe = [](const std::string& s) {
        return s.find_first_of(" \r\n\t") != std::string::npos || s.find('\0') != std::string::npos;
    };
    return !out.name.empty() && !unsafe(out.host) && !unsafe(out.path);
}

int32_t codeOf(QAbstractSocket::SocketError error) {
    switch (error) {
    case QAbstractSocket::HostNotFoundError:
        return HTTPSocket::kNameNotResolved;
    case QAbstractSocket::ConnectionRefusedError:
        return HTTPSocket::kConnectionRefused;
    case QAbstractSocket::NetworkError:
        return HTTPSocket::kHostUnreachable;
    case QAbstractSocket::SocketTimeoutError:
        return HTTPSocket::kConnectionTimedOut;
    default:
        return HTTPSocket::kSocketFailure;
    }
}

} // namespace

HTTPSocketBridge::HTTPSocketBridge(HTTPSocket& owner) : owner_(owner) {}

HTTPSocketBridge::~HTTPSocketBridge() {
    drop();
}

void HTTPSocketBridge::drop() {
    ++generation_;
    reply_.reset();
    if (QTcpSocket* s = socket_) {
        socket_ = nullptr;
        QObject::disconnect(s, nullptr, nullptr, nullptr);
        s->abort();
        // The drop may come from inside one of the socket's own signals.
        s->deleteLater();
    }
}

void HTTPSocketBridge::get(const String& url) {
    drop();
    url_ = url;
    wasConnected_ = false;
    Address address;
    if (!parse(url.bytes(), address)) {
        raiseLater(HTTPSocket::kAddressNotUsable);
        return;
    }
    request_ = "GET " + address.path + " HTTP/1.0\r\n" + "Host: " + address.host + "\r\n" +
               "Accept: */*\r\n" + "Accept-Language: en\r\n" + "\r\n";
    reply_ = std::make_unique<HTTPReplyReader>(HTTPSocket::kHeaderSectionCap, HTTPSocket::kBodyCap);

    auto* s = new QTcpSocket();
    socket_ = s;
    QObject::connect(s, &QTcpSocket::connected, s, [this] { connected(); });
    QObject::connect(s, &QTcpSocket::readyRead, s, [this] { readable(); });
    QObject::connect(s, &QTcpSocket::errorOccurred, s, [this](QAbstractSocket::SocketError e) { failed(e); });
    QObject::connect(s, &QTcpSocket::disconnected, s, [this] { ended(); });
    const ConnectTarget& target = connectTarget();
    if (!target.host.empty())
        s->connectToHost(toQt(target.host), static_cast<quint16>(target.port));
    else
        s->connectToHost(QString::fromStdString(address.name), address.port);
}

void HTTPSocketBridge::connected() {
    wasConnected_ = true;
    socket_->write(request_.data(), static_cast<qint64>(request_.size()));
}

void HTTPSocketBridge::readable() {
    if (!socket_ || !reply_)
        return;
    const QByteArray bytes = socket_->readAll();
    switch (reply_->feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
    case HTTPReplyReader::Outcome::Reading:
        return;
    case HTTPReplyReader::Outcome::Complete:
        finishWithPage();
        return;
    case HTTPReplyReader::Outcome::HeaderSectionTooLarge:
        finishWithError(HTTPSocket::kHeaderSectionTooLarge);
        return;
    case HTTPReplyReader::Outcome::BodyTooLarge:
        finishWithError(HTTPSocket::kBodyTooLarge);
        return;
    }
}

void HTTPSocketBridge::failed(QAbstractSocket::SocketError error) {
    if (!socket_)
        return;
    if (!wasConnected_) {
        finishWithError(codeOf(error));
        return;
    }
    // Closed by the server or lost after it was made: the reply is what arrived.
    ended();
}

void HTTPSocketBridge::ended() {
    if (!socket_ || !reply_ || !wasConnected_)
        return;
    // Bytes may still wait in the socket's buffer.
    if (socket_->bytesAvailable() > 0) {
        readable();
        if (!socket_)
            return;
    }
    switch (reply_->end()) {
    case HTTPReplyReader::Outcome::Complete:
        finishWithPage();
        return;
    default:
        return;
    }
}

void HTTPSocketBridge::finishWithPage() {
    std::unique_ptr<HTTPReplyReader> reply = std::move(reply_);
    const String url = url_;
    drop();
    Ref<HTTPSocket> protector(&owner_);
    dispatch([&] {
        protector->raiseEvent(kHTTPSocketPageReceived,
                              {protector, url, reply->status(), reply->headers(), String(reply->body())});
    });
}

void HTTPSocketBridge::finishWithError(int32_t code) {
    drop();
    Ref<HTTPSocket> protector(&owner_);
    dispatch([&] { protector->raiseEvent(kHTTPSocketError, {protector, code}); });
}

void HTTPSocketBridge::raiseLater(int32_t code) {
    const uint64_t generation = generation_;
    QTimer::singleShot(0, [this, generation, code, weak = WeakRef<HTTPSocket>(&owner_)] {
        Ref<HTTPSocket> alive = weak.lock();
        if (!alive || generation != generation_)
            return;
        finishWithError(code);
    });
}

} // namespace fw::detail

namespace fw {
void setHTTPConnectTarget(const String& host, int32_t port) {
    detail::connectTarget() = {host, port};
}
} // namespace fw
