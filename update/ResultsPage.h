#pragma once
// Reading the operator's results page: the draws it lists, newest first.

#include <string>
#include <string_view>
#include <vector>

namespace tricala {

struct PageRow {
    std::string issue;   // five ASCII digits, e.g. "13245"
    std::string number;  // three ASCII digits, e.g. "077"
    double date = 0.0;   // the draw day at 00:00, OLE day count
};

struct ParsedPage {
    std::vector<PageRow> rows;  // page order: row 0 is the newest draw
    bool readable = true;       // false: the lists do not line up; use no row
    std::string problem;        // why it is not readable (for logs and tests)
};

// Applies the number, issue and date expressions to the page and pairs the
// n-th matches. A page whose lists do not line up (different match counts,
// a short fragment, an impossible date, rows not newest first) is refused
// as a whole. A page with no number match has no rows and is readable.
ParsedPage ParseResultsPage(std::string_view page);

}  // namespace tricala
