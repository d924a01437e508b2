#include "tests/update/LocalHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>
#include <strings.h>

namespace tricala::test {

namespace {

// Every wait is cut into slices of this length so the stop flag is seen
// promptly and no loop outlives the server object.
constexpr int kSliceMs = 20;

// Waits for `events` on `fd` for one slice; true when they are ready.
bool Ready(int fd, short events) {
    pollfd p{fd, events, 0};
    return poll(&p, 1, kSliceMs) > 0;
}

}  // namespace

LocalHttpServer::LocalHttpServer(Response response, Mode mode) : response_(std::move(response)), mode_(mode) {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    if (listener_ < 0) throw std::runtime_error("LocalHttpServer: socket failed");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;  // the system picks a free port
    socklen_t length = sizeof address;
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(listener_, 8) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        close(listener_);
        throw std::runtime_error("LocalHttpServer: cannot listen on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
}

LocalHttpServer::~LocalHttpServer() {
    stop_ = true;
    thread_.join();
    close(listener_);
}

std::string LocalHttpServer::hostAndPort() const { return "127.0.0.1:" + std::to_string(port_); }

std::string LocalHttpServer::requestLine() const {
    std::lock_guard lock(mutex_);
    return requestLine_;
}

std::vector<std::string> LocalHttpServer::requestHeaders() const {
    std::lock_guard lock(mutex_);
    return requestHeaders_;
}

std::string LocalHttpServer::header(const std::string& name) const {
    for (const std::string& line : requestHeaders()) {
        const std::size_t colon = line.find(':');
        if (colon != name.size() || strncasecmp(line.c_str(), name.c_str(), colon) != 0) continue;
        const std::size_t value = line.find_first_not_of(' ', colon + 1);
        return value == std::string::npos ? std::string() : line.substr(value);
    }
    return {};
}

int LocalHttpServer::requestCount() const {
    std::lock_guard lock(mutex_);
    return requestCount_;
}

void LocalHttpServer::Serve() {
    while (!stop_) {
        if (!Ready(listener_, POLLIN)) continue;
        const int client = accept(listener_, nullptr, nullptr);
        if (client < 0) continue;
        Handle(client);
        close(client);
    }
}

void LocalHttpServer::Handle(int client) {
    if (mode_ == Mode::CloseAtOnce) return;
    if (!ReadRequest(client)) return;
    if (mode_ == Mode::Hang) {
        WaitUntilClosedOrStopped(client);
        return;
    }
    std::string head = response_.statusLine + "\r\n";
    for (const std::string& h : response_.headers) head += h + "\r\n";
    head += "\r\n";
    if (mode_ == Mode::Respond) {
        SendAll(client, head + response_.body);
        shutdown(client, SHUT_WR);
        // Let the client read to the end before the socket goes away, so it
        // sees an orderly close rather than a reset.
        WaitUntilClosedOrStopped(client);
        return;
    }
    if (!SendAll(client, head)) return;
    while (!stop_ && SendAll(client, response_.dripChunk)) {
        const auto until = std::chrono::steady_clock::now() + response_.dripInterval;
        while (!stop_ && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
                until - std::chrono::steady_clock::now(), std::chrono::milliseconds(kSliceMs)));
    }
}

// Reads up to the blank line that ends the request head and records it.
// False when the client went away or the server is stopping.
bool LocalHttpServer::ReadRequest(int client) {
    std::string received;
    while (received.find("\r\n\r\n") == std::string::npos) {
        if (stop_) return false;
        if (!Ready(client, POLLIN)) continue;
        char buffer[4096];
        const ssize_t n = recv(client, buffer, sizeof buffer, 0);
        if (n <= 0) return false;
        received.append(buffer, static_cast<std::size_t>(n));
    }
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t end; (end = received.find("\r\n", from)) != std::string::npos && end != from; from = end + 2)
        lines.push_back(received.substr(from, end - from));
    std::lock_guard lock(mutex_);
    requestLine_ = lines.empty() ? std::string() : lines.front();
    requestHeaders_.assign(lines.empty() ? lines.end() : lines.begin() + 1, lines.end());
    ++requestCount_;
    return true;
}

// Sends every byte unless the client goes away or the server stops.
bool LocalHttpServer::SendAll(int client, const std::string& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        if (stop_) return false;
        if (!Ready(client, POLLOUT)) continue;
        const ssize_t n = send(client, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) continue;
        if (n <= 0) return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

void LocalHttpServer::WaitUntilClosedOrStopped(int client) {
    while (!stop_) {
        if (!Ready(client, POLLIN)) continue;
        char buffer[512];
        if (recv(client, buffer, sizeof buffer, 0) <= 0) return;
    }
}

}  // namespace tricala::test
