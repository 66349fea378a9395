#pragma once

// A tiny HTTP/1.1 server on 127.0.0.1 for tests, on threads of its own so that
// it answers whatever the code under test waits on (curl, the Qt event loop).
// Each request gets the response a handler returns, or one canned response,
// and the server keeps what it was asked.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

struct HttpResponse {
    int status = 200;
    std::string reason = "OK";
    std::string contentType = "application/json";
    std::string body{};
    bool silent = false;    // accept the connection, read the request, never answer
    int dripMs = 0;         // when set, send the answer a byte at a time this often
    std::string headers{};  // more header lines, each ending in CRLF
    std::string raw{};      // when set, the whole answer as is, status line included
};

class LoopbackHttpServer {
public:
    /// Called with the request target ("/feed?x=1") and the whole request head.
    using Handler = std::function<HttpResponse(const std::string& target, const std::string& head)>;

    explicit LoopbackHttpServer(Handler handler = {}) : handler_(std::move(handler)) {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener_, 16);
        socklen_t length = sizeof address;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        acceptor_ = std::thread([this] { acceptLoop(); });
    }
    ~LoopbackHttpServer() {
        stop_ = true;
        acceptor_.join();
        for (std::thread& worker : workers_) worker.join();
        ::close(listener_);
    }

    std::uint16_t port() const { return port_; }
    std::string url(const std::string& target = {}) const {
        return "http://127.0.0.1:" + std::to_string(port_) + target;
    }
    /// The answer to requests no route and no handler takes.
    void respond(HttpResponse response) {
        const std::lock_guard lock(mutex_);
        response_ = std::move(response);
    }
    /// Serves `response` at `path` only, honouring "Range: bytes=a-b" requests
    /// as a file server does.
    void route(const std::string& path, HttpResponse response) {
        const std::lock_guard lock(mutex_);
        routes_[path] = std::move(response);
    }
    /// Request heads received so far, in order, each starting with its
    /// request line ("GET /feed HTTP/1.1").
    std::vector<std::string> requests() const {
        const std::lock_guard lock(mutex_);
        return requests_;
    }

private:
    void acceptLoop() {
        while (!stop_) {
            pollfd p{listener_, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0) continue;
            const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (client >= 0) workers_.emplace_back([this, client] { serve(client); });
        }
    }

    void serve(int client) {
        std::string head;
        char buffer[4096];
        while (head.find("\r\n\r\n") == std::string::npos && !stop_) {
            pollfd c{client, POLLIN, 0};
            if (::poll(&c, 1, 20) <= 0) continue;
            const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
            if (n <= 0) break;
            head.append(buffer, static_cast<std::size_t>(n));
        }
        if (const auto end = head.find("\r\n\r\n"); end != std::string::npos) head.resize(end + 2);
        const auto sp = head.find(' ');
        const std::string target =
            sp == std::string::npos ? "" : head.substr(sp + 1, head.find(' ', sp + 1) - sp - 1);
        HttpResponse response;
        bool ranged = false;
        {
            const std::lock_guard lock(mutex_);
            requests_.push_back(head);
            const auto routed = routes_.find(target);
            ranged = routed != routes_.end();
            response = ranged ? routed->second : response_;
        }
        if (!ranged && handler_) response = handler_(target, head);
        if (response.silent) {
            while (!stop_) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        } else {
            const std::string answer = render(response, ranged ? head : std::string());
            // A dripping answer sends its head at once and then its body a
            // byte at a time: clients time out a silent head on their own.
            const std::size_t head = answer.find("\r\n\r\n");
            std::size_t step =
                response.dripMs > 0 && head != std::string::npos ? head + 4 : answer.size();
            for (std::size_t sent = 0; sent < answer.size() && !stop_;) {
                const ssize_t n = ::send(client, answer.data() + sent,
                                         std::min(step, answer.size() - sent), MSG_NOSIGNAL);
                if (n <= 0) break;
                sent += static_cast<std::size_t>(n);
                if (response.dripMs > 0) step = 1;
                std::this_thread::sleep_for(std::chrono::milliseconds(response.dripMs));
            }
            ::shutdown(client, SHUT_WR);
        }
        ::close(client);
    }

    // The answer, cut to the range `head` asks for, if any.
    static std::string render(const HttpResponse& r, const std::string& head) {
        if (!r.raw.empty()) return r.raw;
        int status = r.status;
        std::string reason = r.reason;
        std::string body = r.body;
        std::string extra = "Accept-Ranges: bytes\r\n" + r.headers;
        const auto range = head.find("\r\nRange: bytes=");
        if (range != std::string::npos && status == 200) {
            const long long size = static_cast<long long>(r.body.size());
            const std::size_t from = range + 15;
            const long long first = std::stoll(head.substr(from));
            const std::size_t dash = head.find('-', from);
            long long last = std::isdigit(static_cast<unsigned char>(head[dash + 1]))
                                 ? std::stoll(head.substr(dash + 1))
                                 : size - 1;
            if (last >= size) last = size - 1;
            if (first >= size || first > last) {
                status = 416;
                reason = "Range Not Satisfiable";
                body.clear();
                extra += "Content-Range: bytes */" + std::to_string(size) + "\r\n";
            } else {
                status = 206;
                reason = "Partial Content";
                body = r.body.substr(first, last - first + 1);
                extra += "Content-Range: bytes " + std::to_string(first) + '-' +
                         std::to_string(last) + '/' + std::to_string(size) + "\r\n";
            }
        }
        const std::string type =
            r.contentType.empty() ? "" : "Content-Type: " + r.contentType + "\r\n";
        return "HTTP/1.1 " + std::to_string(status) + ' ' + reason + "\r\n" + type +
               "Content-Length: " + std::to_string(body.size()) + "\r\n" + extra +
               "Connection: close\r\n\r\n" + body;
    }

    Handler handler_;
    int listener_ = -1;
    std::uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    HttpResponse response_;
    std::map<std::string, HttpResponse> routes_;
    std::vector<std::string> requests_;
    std::vector<std::thread> workers_;  // only touched by the acceptor until it ends
    std::thread acceptor_;
};

}  // namespace testsupport
