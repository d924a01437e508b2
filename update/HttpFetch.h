#pragma once
// One HTTP/1.0 GET of the results page.

#include <chrono>
#include <string>

namespace tricala {

constexpr std::chrono::milliseconds kUpdateTimeLimit{10000};
constexpr std::size_t kMaxPageBytes = 4 * 1024 * 1024;
constexpr const char* kDefaultResultsHost = "www.lottery.gov.cn";
constexpr const char* kResultsPath = "/lottery/pls/History.aspx?p=";

struct FetchResult {
    std::string body;        // up to the first zero byte
    bool timedOut = false;   // the transfer hit the time limit
    bool tooLarge = false;   // the body passed kMaxPageBytes and was cut off
};

// Host (and optional :port) of the results site: TRICALA_RESULTS_HOST when
// set, else kDefaultResultsHost.
std::string ResultsHost();

// GETs http://<ResultsHost()>/lottery/pls/History.aspx?p=<pageValue> with
// connect and total time-outs within `limit`. The status is not examined:
// any body is returned.
FetchResult FetchResultsPage(const std::string& pageValue,
                             std::chrono::milliseconds limit = kUpdateTimeLimit);

}  // namespace tricala
