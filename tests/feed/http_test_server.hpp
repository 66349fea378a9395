#pragma once

// A loopback HTTP/1.1 server for tests: listens on 127.0.0.1 at an ephemeral
// port, answers each request with what a handler returns, one connection at
// a time, on its own thread.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace syndra::testing {

class HttpTestServer {
public:
    struct Reply {
        std::string raw;    // the whole response, status line included
        bool hang = false;  // accept, read the request, never answer
    };
    /// Called with the request target ("/feed?x=1") and the whole request head.
    using Handler = std::function<Reply(const std::string& target, const std::string& head)>;

    explicit HttpTestServer(Handler handler) : handler_(std::move(handler)) {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener_, 16);
        socklen_t length = sizeof address;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { serve(); });
    }

    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    ~HttpTestServer() {
        stop_ = true;
        thread_.join();
        for (int fd : hanging_) ::close(fd);
        ::close(listener_);
    }

    std::uint16_t port() const { return port_; }
    std::string url(const std::string& target) const {
        return "http://127.0.0.1:" + std::to_string(port_) + target;
    }

    /// Request heads received so far, in order.
    std::vector<std::string> requests() const {
        const std::lock_guard lock(mutex_);
        return requests_;
    }

    /// A complete response with Content-Length.
    static std::string response(int status, const std::string& reason, const std::string& body,
                                const std::string& extraHeaders = "") {
        return "HTTP/1.1 " + std::to_string(status) + " " + reason +
               "\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n" +
               extraHeaders + "\r\n" + body;
    }

private:
    void serve() {
        while (!stop_) {
            pollfd p{listener_, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0) continue;
            const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0) continue;
            std::string head;
            char buffer[4096];
            while (head.find("\r\n\r\n") == std::string::npos && !stop_) {
                pollfd c{client, POLLIN, 0};
                if (::poll(&c, 1, 20) <= 0) continue;
                const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
                if (n <= 0) break;
                head.append(buffer, static_cast<std::size_t>(n));
            }
            std::string target;
            if (const auto sp = head.find(' '); sp != std::string::npos) {
                target = head.substr(sp + 1, head.find(' ', sp + 1) - sp - 1);
            }
            {
                const std::lock_guard lock(mutex_);
                requests_.push_back(head);
            }
            const Reply reply = handler_(target, head);
            if (reply.hang) {
                hanging_.push_back(client);
                continue;
            }
            std::size_t sent = 0;
            while (sent < reply.raw.size()) {
                const ssize_t n =
                    ::send(client, reply.raw.data() + sent, reply.raw.size() - sent, MSG_NOSIGNAL);
                if (n <= 0) break;
                sent += static_cast<std::size_t>(n);
            }
            ::shutdown(client, SHUT_WR);
            ::close(client);
        }
    }

    Handler handler_;
    int listener_ = -1;
    std::uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::vector<int> hanging_;  // only touched by the server thread until it ends
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

}  // namespace syndra::testing
