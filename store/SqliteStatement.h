#pragma once
// A small RAII wrapper around sqlite3_stmt, internal to the store.

#include <sqlite3.h>

#include <string>
#include <string_view>
#include <utility>

namespace tricala::detail {

class SqliteStatement {
public:
    SqliteStatement() = default;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;
    SqliteStatement(SqliteStatement&& other) noexcept : stmt_(std::exchange(other.stmt_, nullptr)) {}
    SqliteStatement& operator=(SqliteStatement&& other) noexcept {
        if (this != &other) {
            sqlite3_finalize(stmt_);
            stmt_ = std::exchange(other.stmt_, nullptr);
        }
        return *this;
    }
    ~SqliteStatement() { sqlite3_finalize(stmt_); }

    // Prepares `sql` (one statement) on `db`. Returns the sqlite result
    // code; on failure the wrapper stays empty.
    int Prepare(sqlite3* db, std::string_view sql, bool persistent = false) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        return sqlite3_prepare_v3(db, sql.data(), static_cast<int>(sql.size()),
                                  persistent ? SQLITE_PREPARE_PERSISTENT : 0, &stmt_, nullptr);
    }

    explicit operator bool() const { return stmt_ != nullptr; }
    sqlite3_stmt* get() const { return stmt_; }

    // Bindings by 1-based parameter index; each returns the sqlite code.
    int BindText(int index, std::string_view text) {
        return sqlite3_bind_text64(stmt_, index, text.data(), text.size(), SQLITE_TRANSIENT,
                                   SQLITE_UTF8);
    }
    int BindDouble(int index, double value) { return sqlite3_bind_double(stmt_, index, value); }
    int BindInt64(int index, sqlite3_int64 value) { return sqlite3_bind_int64(stmt_, index, value); }

    // One step: SQLITE_ROW, SQLITE_DONE or an error code.
    int Step() { return sqlite3_step(stmt_); }

    // Steps a statement that yields no rows to completion, then resets it
    // and clears its bindings so it is ready for the next use. Returns
    // SQLITE_DONE on success, else the error code.
    int Run() {
        int rc = sqlite3_step(stmt_);
        while (rc == SQLITE_ROW) rc = sqlite3_step(stmt_);
        Reset();
        return rc;
    }

    void Reset() {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }

    int ColumnType(int column) const { return sqlite3_column_type(stmt_, column); }
    double ColumnDouble(int column) const { return sqlite3_column_double(stmt_, column); }
    sqlite3_int64 ColumnInt64(int column) const { return sqlite3_column_int64(stmt_, column); }
    std::string ColumnText(int column) const {
        const unsigned char* text = sqlite3_column_text(stmt_, column);
        const int size = sqlite3_column_bytes(stmt_, column);
        return text ? std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(size))
                    : std::string();
    }

private:
    sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace tricala::detail
