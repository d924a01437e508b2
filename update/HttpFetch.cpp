#include "update/HttpFetch.h"

#include <curl/curl.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>

namespace tricala {

namespace {

constexpr const char* kUserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

struct BodySink {
    std::string body;
    bool sawZero = false;
    bool tooLarge = false;
};

// Keeps the bytes before the first zero byte and at most kMaxPageBytes of
// them. Returning less than given makes curl abort the transfer: nothing
// after a zero byte or past the cap is ever used, so there is no reason to
// keep reading (an endless body would otherwise run into the time limit).
std::size_t WriteBody(char* data, std::size_t size, std::size_t count, void* user) {
    auto& sink = *static_cast<BodySink*>(user);
    const std::size_t given = size * count;
    std::size_t keep = given;
    if (const void* zero = std::memchr(data, '\0', given)) {
        keep = static_cast<std::size_t>(static_cast<const char*>(zero) - data);
        sink.sawZero = true;
    }
    if (sink.body.size() + keep > kMaxPageBytes) {
        keep = kMaxPageBytes - sink.body.size();
        sink.tooLarge = true;
    }
    sink.body.append(data, keep);
    return sink.sawZero || sink.tooLarge ? 0 : given;
}

void InitCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct CurlDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct HeaderListDeleter {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

}  // namespace

std::string ResultsHost() {
    const char* host = std::getenv("TRICALA_RESULTS_HOST");
    return host && *host ? host : kDefaultResultsHost;
}

FetchResult FetchResultsPage(const std::string& pageValue, std::chrono::milliseconds limit) {
    InitCurlOnce();
    FetchResult result;
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl) return result;

    // curl would add its own "Accept: */*" too; naming it keeps the request
    // independent of curl's defaults. Pragma is HTTP/1.0's way to bypass
    // caches on the way. The proxy is left to curl's reading of the
    // environment, the system's setting on this platform.
    curl_slist* list = nullptr;
    for (const char* line : {"Accept: */*", "Pragma: no-cache"}) {
        curl_slist* longer = curl_slist_append(list, line);
        if (!longer) {
            curl_slist_free_all(list);
            return result;
        }
        list = longer;
    }
    const std::unique_ptr<curl_slist, HeaderListDeleter> headers(list);

    const std::string url = "http://" + ResultsHost() + kResultsPath + pageValue;
    const long limitMs = limit.count() > 0 ? static_cast<long>(limit.count()) : 1L;
    BodySink sink;
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(c, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(c, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, limitMs);
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, limitMs);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &WriteBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &sink);

    const CURLcode code = curl_easy_perform(c);
    result.timedOut = code == CURLE_OPERATION_TIMEDOUT;
    result.tooLarge = sink.tooLarge;
    result.body = std::move(sink.body);
    return result;
}

}  // namespace tricala
