#pragma once
// The draw table: draw history and the player's working set in one record
// table, reached through a single cursor.
//
// Records live in memory for cheap cursor work; every change is written
// through to the SQLite file before the call returns, so a change that has
// returned survives a killed process. Record order is rowid order.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

struct sqlite3;

namespace tricala {

// Field positions, as ModifyRecord / AddRecord address them (1-based).
enum class Field { 备选号 = 1, 中奖号 = 2, 开奖日期 = 3, 期数 = 4, 备份 = 5 };

// A value tagged with its type: text fields hold std::string (UTF-8),
// 开奖日期 holds an OLE Automation day count.
using FieldValue = std::variant<std::string, double>;

struct Record {
    std::string 备选号 = {};
    std::string 中奖号 = {};
    double 开奖日期 = 0.0;
    std::string 期数 = {};
    std::string 备份 = {};
    bool deleted = false;
};

// Values by field position; a field left empty keeps its value (modify) or
// takes the empty value (add). The types make a wrongly typed value
// impossible to pass. (The explicit nullopt initializers keep GCC 12's
// -Wmissing-field-initializers quiet for designated initializers such as
// {.备选号 = "123"}.)
struct RecordValues {
    std::optional<std::string> 备选号 = std::nullopt;
    std::optional<std::string> 中奖号 = std::nullopt;
    std::optional<double> 开奖日期 = std::nullopt;
    std::optional<std::string> 期数 = std::nullopt;
    std::optional<std::string> 备份 = std::nullopt;
};

enum class OpenError {
    None,
    Missing,      // no file of that name
    NotAStore,    // unreadable, damaged, or another schema
    InUse,        // another running instance holds the store
    ReadOnly,     // the file or its folder cannot be written
};

class DrawStore {
public:
    struct OpenResult {
        std::unique_ptr<DrawStore> store;
        OpenError error = OpenError::None;
        std::string detail;  // engine's own words, for the message
    };

    // Opens an existing store file; never creates one. A name without an
    // extension gets ".edb". The open store is claimed for this instance
    // (an exclusive lock on the side file "<file>-lock", removed when the
    // store is destroyed): a second Open, in this process or another, gives
    // InUse.
    static OpenResult Open(const std::string& fileName);

    // Creates a new, empty store file (fails if the file exists). Used by
    // the history import tool and by tests.
    static std::unique_ptr<DrawStore> Create(const std::string& fileName, std::string* error = nullptr);

    ~DrawStore();
    DrawStore(const DrawStore&) = delete;
    DrawStore& operator=(const DrawStore&) = delete;

    void GoFirst();
    void GoLast();
    bool Skip();
    FieldValue ReadField(Field field) const;
    const std::string& ReadText(Field field) const;  // text fields only
    double ReadDate() const;                          // 开奖日期
    void ModifyRecord(const RecordValues& values);
    bool FindForward(const std::function<bool()>& condition);
    void AddRecord(const RecordValues& values);
    void DeleteRecord();
    void PurgeDeleted();
    int RecordCount() const;
    int RecordNumber() const;

    // Runs `work` as one transaction: either all of its changes reach the
    // file or none do. The in-memory records roll back with the file when
    // `work` returns false or the commit fails. Not reentrant.
    bool Atomically(const std::function<bool()>& work);

    // Read-only view of all records, for bulk readers (views, benchmarks).
    const std::vector<Record>& Records() const { return records_; }

private:
    explicit DrawStore(sqlite3* db);
    bool Load(std::string* error);
    void NoteWriteFailure();
    struct Statements;

    sqlite3* db_ = nullptr;
    std::unique_ptr<Statements> stmts_;
    std::vector<Record> records_;
    std::vector<long long> rowids_;
    int cursor_ = 0;  // 0-based; records_.size() is past-the-end
    bool inTransaction_ = false;
    bool writeFailed_ = false;  // a write inside Atomically failed: it must roll back
    std::intptr_t claim_ = -1;  // the claim on the store, a detail::ClaimHandle
    std::string claimPath_;
};

// The file name Open and Create use for `fileName`: the name itself, with
// ".edb" appended when it has no extension.
std::string StoreFileName(const std::string& fileName);

// Text form of a date-time: 2008年5月1日, 2008年5月1日20时30分, ...
std::string DateText(double oleDate);
// Inverse of DateText; also reads 2008-05-01, 2008/5/1 20:30:00.
// An invalid text gives the earliest date, 1 January 100 (-657434).
double ParseDate(const std::string& text);
// Helpers for the OLE Automation day count.
double OleDateFromParts(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
constexpr double kEarliestOleDate = -657434.0;

}  // namespace tricala
