#include "framework/qt/HTTPSocketBridge.h"

#include <QTimer>

#include "framework/FrameworkModule.h"
#include "framework/Runtime.h"
#include "framework/TestHooks.h"
#include "framework/TextCase.h"

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

// Loaded with the first request.
const NetworkCalls* network() {
    return keptModuleCalls<NetworkCalls>(kNetworkModule, kNetworkEntry);
}

} // namespace

HTTPSocketBridge::HTTPSocketBridge(HTTPSocket& owner) : owner_(owner) {}

HTTPSocketBridge::~HTTPSocketBridge() {
    drop();
}

void HTTPSocketBridge::drop() {
    ++generation_;
    reply_.reset();
    // The drop may come from inside one of the connection's own calls, which then tells no more.
    connection_.reset();
}

void HTTPSocketBridge::get(const String& url) {
    drop();
    url_ = url;
    Address address;
    if (!parse(url.bytes(), address)) {
        raiseLater(HTTPSocket::kAddressNotUsable);
        return;
    }
    const NetworkCalls* calls = network();
    if (!calls) {
        raiseLater(HTTPSocket::kSocketFailure);
        return;
    }
    request_ = "GET " + address.path + " HTTP/1.0\r\n" + "Host: " + address.host + "\r\n" +
               "Accept: */*\r\n" + "Accept-Language: en\r\n" + "\r\n";
    reply_ = std::make_unique<HTTPReplyReader>(HTTPSocket::kHeaderSectionCap, HTTPSocket::kBodyCap);
    const ConnectTarget& target = connectTarget();
    if (!target.host.empty())
        connection_ = calls->connect(target.host.bytes(), static_cast<uint16_t>(target.port), *this);
    else
        connection_ = calls->connect(address.name, address.port, *this);
}

void HTTPSocketBridge::connected() {
    connection_->send(request_);
}

void HTTPSocketBridge::received(std::string_view bytes) {
    if (!reply_)
        return;
    switch (reply_->feed(bytes)) {
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

void HTTPSocketBridge::failed(int32_t code) {
    finishWithError(code);
}

void HTTPSocketBridge::closed() {
    // Closed by the server or lost after it was made: the reply is what arrived.
    if (reply_ && reply_->end() == HTTPReplyReader::Outcome::Complete)
        finishWithPage();
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
