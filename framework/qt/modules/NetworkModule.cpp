// The network module: a connection over QTcpSocket.
#include "framework/qt/modules/NetworkModule.h"

#include <QPointer>
#include <QTcpSocket>

#include "framework/HTTPSocket.h"

namespace fw::detail {

namespace {

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

class TcpConnection final : public Connection {
  public:
    TcpConnection(const std::string& host, uint16_t port, ConnectionListener& listener)
        : socket_(new QTcpSocket()), listener_(listener) {
        QTcpSocket* s = socket_;
        QObject::connect(s, &QTcpSocket::connected, s, [this] {
            connected_ = true;
            listener_.connected();
        });
        QObject::connect(s, &QTcpSocket::readyRead, s, [this] { receive(); });
        QObject::connect(s, &QTcpSocket::errorOccurred, s, [this](QAbstractSocket::SocketError e) {
            if (connected_)
                close(); // closed by the peer or lost after it was made
            else
                listener_.failed(codeOf(e));
        });
        QObject::connect(s, &QTcpSocket::disconnected, s, [this] {
            if (connected_)
                close();
        });
        s->connectToHost(QString::fromStdString(host), port);
    }

    ~TcpConnection() override {
        alive_.reset();
        if (QTcpSocket* s = socket_) {
            QObject::disconnect(s, nullptr, nullptr, nullptr);
            s->abort();
            // The connection may go from inside one of the socket's own signals.
            s->deleteLater();
        }
    }

    void send(std::string_view bytes) override {
        socket_->write(bytes.data(), static_cast<qint64>(bytes.size()));
    }

  private:
    void receive() {
        const QByteArray bytes = socket_->readAll();
        if (!bytes.isEmpty())
            listener_.received(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }

    // Told once, after what still waits in the socket's buffer. The listener may drop the
    // connection from inside received: then nothing more is told.
    void close() {
        if (closed_)
            return;
        closed_ = true;
        const std::weak_ptr<bool> alive = alive_;
        if (socket_->bytesAvailable() > 0)
            receive();
        if (!alive.expired())
            listener_.closed();
    }

    QPointer<QTcpSocket> socket_;
    ConnectionListener& listener_;
    bool connected_ = false;
    bool closed_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true); // goes with the connection
};

std::unique_ptr<Connection> connect(const std::string& host, uint16_t port, ConnectionListener& listener) {
    return std::make_unique<TcpConnection>(host, port, listener);
}

constexpr NetworkCalls kCalls = {&connect};

} // namespace

} // namespace fw::detail

extern "C" __attribute__((visibility("default"))) const fw::detail::NetworkCalls* fwNetworkCalls() {
    return &fw::detail::kCalls;
}
