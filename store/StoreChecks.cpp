// The checks a file must pass before DrawStore reads its records.

#include <iterator>
#include <string>

#include "store/FileSystem.h"
#include "store/SqliteStatement.h"
#include "store/StoreFile.h"

namespace tricala::detail {
namespace {

struct ColumnSpec {
    const char* name;
    const char* type;
    const char* alternativeType;
};

constexpr ColumnSpec kColumns[] = {
    {"备选号", "TEXT", nullptr}, {"中奖号", "TEXT", nullptr}, {"开奖日期", "REAL", nullptr},
    {"期数", "TEXT", nullptr},   {"备份", "TEXT", nullptr},   {"deleted", "INTEGER", "INT"},
};
constexpr int kColumnCount = static_cast<int>(std::size(kColumns));

// SQLite reads a last page that is cut short as if it ended in zeros, and
// its integrity checks then pass while a value has silently changed. A
// whole file is a whole number of pages, and without a write-ahead log it
// holds every page its header counts.
Failure CheckFileLength(sqlite3* db) {
    std::string pageSize, pageCount;
    int rc = PragmaText(db, "PRAGMA main.page_size", &pageSize);
    if (rc == SQLITE_OK) rc = PragmaText(db, "PRAGMA main.page_count", &pageCount);
    if (rc != SQLITE_OK) return {Classify(rc), ErrorText(db)};
    const std::string path = sqlite3_db_filename(db, "main");
    const PathStatus file = StatusOf(path);
    if (!file.Exists()) return {OpenError::NotAStore, "cannot read the file's size"};
    const long long page = std::stoll(pageSize), pages = std::stoll(pageCount);
    const PathStatus wal = StatusOf(path + "-wal");
    const bool hasLog = wal.Exists() && wal.size > 0;
    if (page <= 0 || file.size % page != 0 || (!hasLog && file.size < page * pages))
        return {OpenError::NotAStore, "damaged file: it ends inside a page"};
    return {};
}

}  // namespace

Failure CheckSchema(sqlite3* db) {
    SqliteStatement st;
    int rc = st.Prepare(db,
                        "SELECT type, wr, strict FROM pragma_table_list "
                        "WHERE schema = 'main' AND name = 'DrawStore' COLLATE NOCASE");
    if (rc != SQLITE_OK) return {Classify(rc), ErrorText(db)};
    rc = st.Step();
    if (rc == SQLITE_DONE) return {OpenError::NotAStore, "no table DrawStore in the file"};
    if (rc != SQLITE_ROW) return {Classify(rc), ErrorText(db)};
    if (st.ColumnText(0) != "table") return {OpenError::NotAStore, "DrawStore is not a table"};
    if (st.ColumnInt64(1) != 0) return {OpenError::NotAStore, "table DrawStore has no rowid"};
    if (st.ColumnInt64(2) != 1) return {OpenError::NotAStore, "table DrawStore is not STRICT"};
    st = SqliteStatement();

    rc = st.Prepare(db, "SELECT name, type, hidden FROM pragma_table_xinfo('DrawStore')");
    if (rc != SQLITE_OK) return {Classify(rc), ErrorText(db)};
    int column = 0;
    while ((rc = st.Step()) == SQLITE_ROW) {
        const std::string name = st.ColumnText(0);
        const std::string type = st.ColumnText(1);
        if (column >= kColumnCount) return {OpenError::NotAStore, "table DrawStore has extra column " + name};
        const ColumnSpec& wanted = kColumns[column];
        const bool typeOk = sqlite3_stricmp(type.c_str(), wanted.type) == 0 ||
                            (wanted.alternativeType && sqlite3_stricmp(type.c_str(), wanted.alternativeType) == 0);
        if (st.ColumnInt64(2) != 0 || sqlite3_stricmp(name.c_str(), wanted.name) != 0 || !typeOk) {
            return {OpenError::NotAStore, "column " + std::to_string(column + 1) + " of DrawStore is " + name +
                                              " " + type + ", expected " + wanted.name + " " + wanted.type};
        }
        ++column;
    }
    if (rc != SQLITE_DONE) return {Classify(rc), ErrorText(db)};
    if (column != kColumnCount) {
        return {OpenError::NotAStore, "table DrawStore has " + std::to_string(column) + " columns, expected " +
                                          std::to_string(kColumnCount)};
    }
    st = SqliteStatement();

    if (Failure cut = CheckFileLength(db); cut.error != OpenError::None) return cut;
    std::string verdict;
    rc = PragmaText(db, "PRAGMA main.quick_check(1)", &verdict);
    if (rc != SQLITE_OK) return {Classify(rc), ErrorText(db)};
    if (verdict != "ok") return {OpenError::NotAStore, "damaged file: " + verdict};
    return {};
}

}  // namespace tricala::detail
