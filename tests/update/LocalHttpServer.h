#pragma once
// A one-thread HTTP server on 127.0.0.1 for tests of the results fetch: it
// serves one configured response to every connection, records what the
// client sent, and can misbehave the ways a real server does (hang, never
// finish the body, drop the connection).

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tricala::test {

// What the server sends. Declared outside the server class so that its
// member defaults can serve as the constructor's default argument.
struct HttpResponse {
    std::string statusLine = "HTTP/1.0 200 OK";
    std::vector<std::string> headers = {"Content-Type: text/html"};
    std::string body{};  // sent as is, zero bytes included
    // EndlessBody mode: sent again and again, `dripInterval` apart.
    std::string dripChunk = std::string(64 * 1024, 'x');
    std::chrono::milliseconds dripInterval{0};
};

class LocalHttpServer {
public:
    enum class Mode {
        Respond,       // status line, headers, body, then close
        Hang,          // read the request and never answer
        EndlessBody,   // status line and headers, then `dripChunk` every `dripInterval`, forever
        CloseAtOnce,   // accept and close without reading or answering
    };

    using Response = HttpResponse;

    explicit LocalHttpServer(Response response = {}, Mode mode = Mode::Respond);
    // Stops serving, ends any connection in progress and joins the thread.
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    int port() const { return port_; }
    std::string hostAndPort() const;  // "127.0.0.1:<port>", for TRICALA_RESULTS_HOST

    // What the last client sent: its request line and header lines, without
    // line ends. Empty before the first request has arrived whole.
    std::string requestLine() const;
    std::vector<std::string> requestHeaders() const;
    // Value of the first header of that name (case-insensitive), or empty.
    std::string header(const std::string& name) const;
    int requestCount() const;

private:
    void Serve();
    void Handle(int client);
    bool ReadRequest(int client);
    bool SendAll(int client, const std::string& bytes);
    void WaitUntilClosedOrStopped(int client);

    const Response response_;
    const Mode mode_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::string requestLine_;
    std::vector<std::string> requestHeaders_;
    int requestCount_ = 0;
    std::thread thread_;
};

}  // namespace tricala::test
