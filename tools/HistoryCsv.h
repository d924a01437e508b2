#pragma once
// The draw history CSV (data/pls_history.csv) and building a store from it.
//
// Format: a header line "issue,date,number", then one draw per line, oldest
// first: a seven-digit issue (four-digit year + three-digit draw number of
// that year), the draw date YYYY-MM-DD and the three winning digits.

#include <istream>
#include <string>
#include <vector>

namespace tricala {

// One draw as the store holds it.
struct HistoryDraw {
    std::string issue;   // 期数, five digits: 2013245 -> "13245"
    double date = 0.0;   // 开奖日期, the draw day at 00:00 (OLE day count)
    std::string number;  // 中奖号, three digits, e.g. "077"
};

struct HistoryParseResult {
    std::vector<HistoryDraw> draws;  // oldest first
    std::string error;               // "line N: what is wrong"; empty when valid
    bool ok() const { return error.empty(); }
};

// Reads and validates the whole CSV. Every row must have a 7-digit issue
// whose draw number is not 000 and whose year is the year of its date, a
// real date YYYY-MM-DD and a 3-digit number; issues and dates must be
// strictly increasing. A line ending "\r\n" is accepted, as are empty lines
// at the very end. The first fault found ends the reading: `draws` is then
// empty and `error` names the line (the header is line 1).
HistoryParseResult ParseHistoryCsv(std::istream& in);
HistoryParseResult ReadHistoryCsv(const std::string& path);

// Builds a new store file at `storePath` (".edb" appended when it has no
// extension) holding `draws` in order, 备选号 and 备份 empty. Refuses an
// existing file. Builds into a temporary file in the same folder, in one
// transaction, and moves it into place at the end, so on failure no file is
// left behind. On failure gives false and the reason in `error`.
bool BuildStoreFromDraws(const std::vector<HistoryDraw>& draws, const std::string& storePath,
                         std::string* error);

}  // namespace tricala
