#include "tools/HistoryCsv.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "store/DrawStore.h"
#include "store/FileSystem.h"

namespace tricala {
namespace {

using detail::CurrentProcessId;
using detail::FlushFile;
using detail::FlushFolder;
using detail::MoveResult;
using detail::MoveWithoutReplacing;
using detail::PathFromUtf8;
using detail::RemoveFile;
using detail::Utf8FromPath;

bool AllDigits(std::string_view text, size_t length) {
    if (text.size() != length) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

int ToInt(std::string_view digits) {
    int value = 0;
    for (char c : digits) value = value * 10 + (c - '0');
    return value;
}

std::string Quoted(std::string_view text) {
    constexpr size_t kMax = 40;
    std::string shown(text.substr(0, kMax));
    if (text.size() > kMax) shown += "...";
    return "\"" + shown + "\"";
}

std::string LineError(int line, const std::string& what) { return "line " + std::to_string(line) + ": " + what; }

// A real date YYYY-MM-DD: gives the OLE day count, or nothing.
bool ParseIsoDate(std::string_view text, int* year, double* ole) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !AllDigits(text.substr(0, 4), 4) ||
        !AllDigits(text.substr(5, 2), 2) || !AllDigits(text.substr(8, 2), 2)) {
        return false;
    }
    const int y = ToInt(text.substr(0, 4));
    const int m = ToInt(text.substr(5, 2));
    const int d = ToInt(text.substr(8, 2));
    const double value = OleDateFromParts(y, m, d);
    if (value == kEarliestOleDate && !(y == 100 && m == 1 && d == 1)) return false;
    *year = y;
    *ole = value;
    return true;
}

}  // namespace

HistoryParseResult ParseHistoryCsv(std::istream& in) {
    HistoryParseResult result;
    auto fail = [&result](int line, const std::string& what) {
        result.draws.clear();
        result.error = LineError(line, what);
        return std::move(result);
    };

    std::string line;
    int lineNo = 0;
    int blankSince = 0;  // first of a run of empty lines, 0 when none
    std::string previousIssue;
    double previousDate = 0.0;
    std::string previousDateText;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (lineNo == 1) {
            if (line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);  // UTF-8 byte order mark
            if (line != "issue,date,number") {
                return fail(1, "expected the header issue,date,number, found " + Quoted(line));
            }
            continue;
        }
        if (line.empty()) {
            if (blankSince == 0) blankSince = lineNo;
            continue;
        }
        if (blankSince != 0) return fail(blankSince, "empty line");

        std::vector<std::string_view> fields;
        std::string_view rest(line);
        for (size_t comma; (comma = rest.find(',')) != std::string_view::npos;) {
            fields.push_back(rest.substr(0, comma));
            rest.remove_prefix(comma + 1);
        }
        fields.push_back(rest);
        if (fields.size() != 3) {
            return fail(lineNo, "expected 3 fields issue,date,number, found " + std::to_string(fields.size()));
        }
        const std::string_view issue = fields[0], date = fields[1], number = fields[2];

        if (!AllDigits(issue, 7)) return fail(lineNo, "issue " + Quoted(issue) + " is not seven digits");
        if (issue.substr(4) == "000") return fail(lineNo, "issue " + std::string(issue) + " has draw number 000");
        int year = 0;
        double ole = 0.0;
        if (!ParseIsoDate(date, &year, &ole)) {
            return fail(lineNo, "date " + Quoted(date) + " is not a real date YYYY-MM-DD");
        }
        if (ToInt(issue.substr(0, 4)) != year) {
            return fail(lineNo, "issue " + std::string(issue) + " is not of the year of its date " + std::string(date));
        }
        if (!AllDigits(number, 3)) return fail(lineNo, "number " + Quoted(number) + " is not three digits");
        if (!previousIssue.empty()) {
            if (issue <= previousIssue) {
                return fail(lineNo, "issue " + std::string(issue) + " does not come after issue " + previousIssue +
                                        " of line " + std::to_string(lineNo - 1));
            }
            if (ole <= previousDate) {
                return fail(lineNo, "date " + std::string(date) + " does not come after date " + previousDateText +
                                        " of line " + std::to_string(lineNo - 1));
            }
        }
        previousIssue = std::string(issue);
        previousDate = ole;
        previousDateText = std::string(date);
        result.draws.push_back({std::string(issue.substr(2)), ole, std::string(number)});
    }
    if (in.bad()) return fail(lineNo + 1, "read error");
    if (lineNo == 0) return fail(1, "empty file, expected the header issue,date,number");
    if (result.draws.empty()) return fail(2, "no draws after the header");
    return result;
}

HistoryParseResult ReadHistoryCsv(const std::string& path) {
    std::ifstream in(PathFromUtf8(path), std::ios::binary);
    if (!in) {
        HistoryParseResult result;
        result.error = path + ": " + std::strerror(errno);
        return result;
    }
    return ParseHistoryCsv(in);
}

bool BuildStoreFromDraws(const std::vector<HistoryDraw>& draws, const std::string& storePath,
                         std::string* error) {
    auto fail = [error](std::string why) {
        if (error) *error = std::move(why);
        return false;
    };
    const std::string target = StoreFileName(storePath);
    if (std::error_code ec; std::filesystem::symlink_status(PathFromUtf8(target), ec).type() !=
                            std::filesystem::file_type::not_found) {
        return fail(target + ": the file exists; it is not overwritten");
    }

    // A temporary name in the same folder; its ".tmp" extension keeps
    // StoreFileName from adding ".edb".
    const std::filesystem::path targetPath = PathFromUtf8(target);
    const std::filesystem::path folder = targetPath.parent_path();
    std::string temp;
    std::unique_ptr<DrawStore> store;
    std::string detail;
    for (int attempt = 0; attempt < 100 && !store; ++attempt) {
        std::string name = ".";
        name += Utf8FromPath(targetPath.filename());
        name += ".import-";
        name += std::to_string(CurrentProcessId());
        name += '-';
        name += std::to_string(attempt);
        name += ".tmp";
        temp = Utf8FromPath(folder / PathFromUtf8(name));
        store = DrawStore::Create(temp, &detail);
        if (!store && std::filesystem::exists(PathFromUtf8(temp))) continue;  // name taken: try the next
        if (!store) break;
    }
    if (!store) return fail("cannot create " + temp + ": " + detail);
    auto removeTemp = [&temp] {
        RemoveFile(temp);
        RemoveFile(temp + "-wal");
        RemoveFile(temp + "-shm");
    };

    const bool filled = store->Atomically([&] {
        for (const HistoryDraw& d : draws) {
            store->AddRecord({.中奖号 = d.number, .开奖日期 = d.date, .期数 = d.issue});
        }
        return store->RecordCount() == static_cast<int>(draws.size());
    });
    store.reset();  // closes the file; the WAL is checkpointed into it and removed
    if (!filled) {
        removeTemp();
        return fail("cannot write the draws into " + temp);
    }
    if (std::filesystem::exists(PathFromUtf8(temp + "-wal"))) {
        removeTemp();
        return fail("cannot complete " + temp + " (its write-ahead log was not merged)");
    }
    // Flush the finished file before it takes the final name.
    std::string why;
    if (!FlushFile(temp, &why)) {
        removeTemp();
        return fail(temp + ": " + why);
    }
    // Move into place without replacing a file that appeared meanwhile.
    switch (MoveWithoutReplacing(temp, target, &why)) {
        case MoveResult::Moved:
            break;
        case MoveResult::TargetExists:
            removeTemp();
            return fail(target + ": the file exists; it is not overwritten");
        case MoveResult::Failed:
            removeTemp();
            return fail("cannot rename " + temp + " to " + target + ": " + why);
    }
    FlushFolder(folder.empty() ? std::string(".") : Utf8FromPath(folder));
    return true;
}

}  // namespace tricala
