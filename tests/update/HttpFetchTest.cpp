#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "tests/update/LocalHttpServer.h"
#include "update/HttpFetch.h"

namespace tricala {
namespace {

using test::LocalHttpServer;
using namespace std::chrono_literals;

// Points the fetch at a loopback server; a proxy from the environment would
// otherwise get the request.
class HttpFetch : public ::testing::Test {
protected:
    void SetUp() override { setenv("no_proxy", "127.0.0.1", 1); }
    void TearDown() override { unsetenv("TRICALA_RESULTS_HOST"); }
    static void Use(const LocalHttpServer& server) {
        setenv("TRICALA_RESULTS_HOST", server.hostAndPort().c_str(), 1);
    }
};

LocalHttpServer::Response Body(std::string body, std::string status = "HTTP/1.0 200 OK") {
    LocalHttpServer::Response response;
    response.statusLine = std::move(status);
    response.body = std::move(body);
    return response;
}

TEST_F(HttpFetch, SendsTheResultsRequest) {
    LocalHttpServer server(Body("<html>ok</html>"));
    Use(server);
    const FetchResult result = FetchResultsPage("1");
    EXPECT_EQ(result.body, "<html>ok</html>");
    EXPECT_EQ(server.requestLine(), "GET /lottery/pls/History.aspx?p=1 HTTP/1.0");
    EXPECT_EQ(server.header("Accept"), "*/*");
    EXPECT_EQ(server.header("User-Agent"), "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)");
    EXPECT_EQ(server.header("Host"), server.hostAndPort());
    EXPECT_EQ(server.header("Pragma"), "no-cache");

    std::set<std::string> names;
    for (const std::string& line : server.requestHeaders()) names.insert(line.substr(0, line.find(':')));
    EXPECT_EQ(names, (std::set<std::string>{"Host", "User-Agent", "Accept", "Pragma"}));
}

TEST_F(HttpFetch, PageValueEndsTheQuery) {
    LocalHttpServer server(Body("x"));
    Use(server);
    FetchResultsPage("2");
    EXPECT_EQ(server.requestLine(), "GET /lottery/pls/History.aspx?p=2 HTTP/1.0");
}

TEST_F(HttpFetch, ReturnsTheBodyOfAnErrorResponse) {
    LocalHttpServer server(Body("<html><body>页面不存在</body></html>", "HTTP/1.0 404 Not Found"));
    Use(server);
    const FetchResult result = FetchResultsPage("1");
    EXPECT_EQ(result.body, "<html><body>页面不存在</body></html>");
    EXPECT_FALSE(result.timedOut);
}

TEST_F(HttpFetch, CutsTheBodyAtTheFirstZeroByte) {
    struct Case {
        std::string body;
        std::size_t kept;
    };
    // The second zero byte lies far past the first network read.
    for (const Case& c : {Case{std::string("abc\0def\0", 8), 3}, Case{std::string("\0abc", 4), 0},
                          Case{std::string(300000, 'a') + std::string("\0tail", 5), 300000}}) {
        LocalHttpServer server(Body(c.body));
        Use(server);
        const FetchResult result = FetchResultsPage("1");
        EXPECT_EQ(result.body, c.body.substr(0, c.kept));
        EXPECT_FALSE(result.tooLarge);
        EXPECT_FALSE(result.timedOut);
    }
}

TEST_F(HttpFetch, BodyOfExactlyTheCapIsWhole) {
    LocalHttpServer server(Body(std::string(kMaxPageBytes, 'p')));
    Use(server);
    const FetchResult result = FetchResultsPage("1");
    EXPECT_EQ(result.body.size(), kMaxPageBytes);
    EXPECT_FALSE(result.tooLarge);
}

TEST_F(HttpFetch, EndlessBodyStopsAtTheCap) {
    LocalHttpServer server({}, LocalHttpServer::Mode::EndlessBody);
    Use(server);
    const FetchResult result = FetchResultsPage("1");
    EXPECT_TRUE(result.tooLarge);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.body.size(), kMaxPageBytes);
}

TEST_F(HttpFetch, HungServerTimesOutAtTheLimit) {
    LocalHttpServer server({}, LocalHttpServer::Mode::Hang);
    Use(server);
    const FetchResult result = FetchResultsPage("1", 300ms);
    EXPECT_TRUE(result.timedOut);
    EXPECT_TRUE(result.body.empty());
    EXPECT_EQ(server.requestCount(), 1);
}

TEST_F(HttpFetch, SlowBodyTimesOutWithWhatArrived) {
    LocalHttpServer::Response drip;
    drip.dripChunk = "<";
    drip.dripInterval = 20ms;
    LocalHttpServer server(drip, LocalHttpServer::Mode::EndlessBody);
    Use(server);
    const FetchResult result = FetchResultsPage("1", 300ms);
    EXPECT_TRUE(result.timedOut);
    EXPECT_FALSE(result.tooLarge);
    EXPECT_FALSE(result.body.empty());
    EXPECT_EQ(result.body.find_first_not_of('<'), std::string::npos);
}

TEST_F(HttpFetch, RefusedConnectionGivesEmptyBody) {
    std::string hostAndPort;
    {
        LocalHttpServer gone;
        hostAndPort = gone.hostAndPort();
    }
    setenv("TRICALA_RESULTS_HOST", hostAndPort.c_str(), 1);
    const FetchResult result = FetchResultsPage("1");
    EXPECT_TRUE(result.body.empty());
    EXPECT_FALSE(result.timedOut);
}

TEST_F(HttpFetch, DroppedConnectionGivesEmptyBody) {
    LocalHttpServer server({}, LocalHttpServer::Mode::CloseAtOnce);
    Use(server);
    const FetchResult result = FetchResultsPage("1");
    EXPECT_TRUE(result.body.empty());
    EXPECT_FALSE(result.timedOut);
}

TEST_F(HttpFetch, ResultsHostComesFromTheEnvironment) {
    unsetenv("TRICALA_RESULTS_HOST");
    EXPECT_EQ(ResultsHost(), kDefaultResultsHost);
    setenv("TRICALA_RESULTS_HOST", "", 1);
    EXPECT_EQ(ResultsHost(), kDefaultResultsHost);
    setenv("TRICALA_RESULTS_HOST", "results.example:8080", 1);
    EXPECT_EQ(ResultsHost(), "results.example:8080");
}

}  // namespace
}  // namespace tricala
