#pragma once

// A tiny HTTP/1.1 server on 127.0.0.1 for tests that talk to the network
// through Qt: it answers every request with one canned response (or stays
// silent) and counts what it was asked.

#include <QByteArray>
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

#include <functional>
#include <memory>
#include <vector>

namespace testsupport {

struct HttpResponse {
    int status = 200;
    QByteArray reason = "OK";
    QByteArray contentType = "application/json";
    QByteArray body;
    bool silent = false;  // accept the connection, never answer
};

class LoopbackHttpServer {
public:
    LoopbackHttpServer() {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] { accept(); });
    }

    quint16 port() const { return server_.serverPort(); }
    QString baseUrl(const QString& path = {}) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path);
    }
    void respond(HttpResponse response) { response_ = std::move(response); }
    /// Request lines seen, e.g. "GET /cassivo2/updater.json HTTP/1.1".
    const std::vector<QByteArray>& requests() const { return requests_; }

private:
    void accept() {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            auto buffer = std::make_shared<QByteArray>();
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
                buffer->append(socket->readAll());
                const qsizetype end = buffer->indexOf("\r\n\r\n");
                if (end < 0) return;
                requests_.push_back(buffer->left(buffer->indexOf("\r\n")));
                buffer->clear();
                if (response_.silent) return;
                QByteArray reply = "HTTP/1.1 " + QByteArray::number(response_.status) + ' ' +
                                   response_.reason + "\r\nContent-Type: " + response_.contentType +
                                   "\r\nContent-Length: " + QByteArray::number(response_.body.size()) +
                                   "\r\nConnection: close\r\n\r\n" + response_.body;
                socket->write(reply);
                socket->disconnectFromHost();
            });
        }
    }

    QTcpServer server_;
    HttpResponse response_;
    std::vector<QByteArray> requests_;
};

}  // namespace testsupport
