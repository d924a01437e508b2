// Feeds arbitrary bytes to the results page reader. Whatever the page holds,
// the reader must not crash or hang, and every row it hands on for
// appending must be a real draw, newest first.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "store/DrawStore.h"
#include "update/ResultsPage.h"

namespace {

bool AllDigits(const std::string& text, std::size_t length) {
    if (text.size() != length) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string page(reinterpret_cast<const char*>(data), size);
    page = page.substr(0, page.find('\0'));  // the fetch cuts the body there
    const tricala::ParsedPage parsed = tricala::ParseResultsPage(page);
    if (!parsed.readable) {
        Check(parsed.rows.empty());
        return 0;
    }
    for (std::size_t i = 0; i < parsed.rows.size(); ++i) {
        const tricala::PageRow& row = parsed.rows[i];
        Check(AllDigits(row.issue, 5));
        Check(AllDigits(row.number, 3));
        // A real calendar day at midnight: its text form reads back to it.
        Check(row.date == static_cast<long long>(row.date));
        Check(tricala::ParseDate(tricala::DateText(row.date)) == row.date);
        Check(row.date > tricala::kEarliestOleDate);
        if (i > 0) {
            Check(row.issue < parsed.rows[i - 1].issue);
            Check(row.date <= parsed.rows[i - 1].date);
        }
    }
    return 0;
}
