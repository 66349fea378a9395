#pragma once

// A tiny HTTP/1.1 server on 127.0.0.1 for tests that talk to the network
// through Qt: it answers every request with one canned response (or stays
// silent) and counts what it was asked.

#include <QByteArray>
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace testsupport {

struct HttpResponse {
    int status = 200;
    QByteArray reason = "OK";
    QByteArray contentType = "application/json";
    QByteArray body{};
    bool silent = false;   // accept the connection, never answer
    int dripMs = 0;        // when set, send the answer a byte at a time this often
    QByteArray headers{};  // more header lines, each ending in CRLF
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
    /// Serves `response` at `path` only (other paths get the default response),
    /// honouring "Range: bytes=a-b" requests as a file server does.
    void route(const QByteArray& path, HttpResponse response) {
        routes_[path] = std::move(response);
    }
    /// Request lines seen, e.g. "GET /cassivo2/updater.json HTTP/1.1".
    const std::vector<QByteArray>& requests() const { return requests_; }
    /// The last request's head: its request line and header lines.
    const QByteArray& lastHead() const { return lastHead_; }

private:
    void accept() {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            auto buffer = std::make_shared<QByteArray>();
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
                buffer->append(socket->readAll());
                const qsizetype end = buffer->indexOf("\r\n\r\n");
                if (end < 0) return;
                const QByteArray head = buffer->left(end);
                buffer->remove(0, end + 4);
                const QByteArray requestLine = head.left(head.indexOf("\r\n"));
                requests_.push_back(requestLine);
                lastHead_ = head;
                const QList<QByteArray> parts = requestLine.split(' ');
                const QByteArray path = parts.size() > 1 ? parts[1] : QByteArray();
                const auto routed = routes_.find(path);
                const bool isRouted = routed != routes_.end();
                const HttpResponse& response = isRouted ? routed->second : response_;
                if (response.silent) return;
                const QByteArray answer = render(response, isRouted ? rangeOf(head) : std::nullopt);
                if (response.dripMs > 0) return drip(socket, answer, response.dripMs);
                socket->write(answer);
                socket->disconnectFromHost();
            });
        }
    }

    static void drip(QTcpSocket* socket, const QByteArray& answer, int intervalMs) {
        auto* timer = new QTimer(socket);
        auto sent = std::make_shared<qsizetype>(0);
        QObject::connect(timer, &QTimer::timeout, socket, [socket, answer, sent, timer] {
            if (*sent >= answer.size()) {
                timer->stop();
                socket->disconnectFromHost();
                return;
            }
            socket->write(answer.mid((*sent)++, 1));
        });
        timer->start(intervalMs);
    }

    static std::optional<std::pair<qint64, qint64>> rangeOf(const QByteArray& head) {
        for (const QByteArray& line : head.split('\n')) {
            const QByteArray header = line.trimmed();
            if (!header.toLower().startsWith("range: bytes=")) continue;
            const QList<QByteArray> bounds = header.mid(13).split('-');
            if (bounds.size() != 2) return std::nullopt;
            return std::make_pair(bounds[0].toLongLong(),
                                  bounds[1].isEmpty() ? -1 : bounds[1].toLongLong());
        }
        return std::nullopt;
    }

    static QByteArray render(const HttpResponse& response,
                             std::optional<std::pair<qint64, qint64>> range) {
        int status = response.status;
        QByteArray reason = response.reason;
        QByteArray body = response.body;
        QByteArray extra = "Accept-Ranges: bytes\r\n" + response.headers;
        if (range && status == 200) {
            const qint64 size = response.body.size();
            const qint64 first = range->first;
            const qint64 last =
                range->second < 0 || range->second >= size ? size - 1 : range->second;
            if (first >= size || first > last) {
                status = 416;
                reason = "Range Not Satisfiable";
                body.clear();
                extra += "Content-Range: bytes */" + QByteArray::number(size) + "\r\n";
            } else {
                status = 206;
                reason = "Partial Content";
                body = response.body.mid(first, last - first + 1);
                extra += "Content-Range: bytes " + QByteArray::number(first) + '-' +
                         QByteArray::number(last) + '/' + QByteArray::number(size) + "\r\n";
            }
        }
        return "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason +
               "\r\nContent-Type: " + response.contentType +
               "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n" + extra +
               "Connection: close\r\n\r\n" + body;
    }

    QTcpServer server_;
    HttpResponse response_;
    std::map<QByteArray, HttpResponse> routes_;
    std::vector<QByteArray> requests_;
    QByteArray lastHead_;
};

}  // namespace testsupport
