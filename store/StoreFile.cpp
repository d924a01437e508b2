// Error classification, pragma helpers, file and folder helpers and the
// connection mode of an open store.

#include <filesystem>
#include <string>

#include "store/FileSystem.h"
#include "store/SqliteStatement.h"
#include "store/StoreFile.h"

namespace tricala::detail {

std::string ErrorText(sqlite3* db) { return db ? sqlite3_errmsg(db) : "out of memory"; }

OpenError Classify(int rc) {
    switch (rc & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return OpenError::InUse;
        case SQLITE_READONLY:
            return OpenError::ReadOnly;
        default:
            return OpenError::NotAStore;
    }
}

int Exec(sqlite3* db, const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }

int PragmaText(sqlite3* db, const char* sql, std::string* value) {
    SqliteStatement st;
    int rc = st.Prepare(db, sql);
    if (rc != SQLITE_OK) return rc;
    rc = st.Step();
    if (rc == SQLITE_ROW) {
        *value = st.ColumnText(0);
        while ((rc = st.Step()) == SQLITE_ROW) {
        }
    }
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

bool FileExists(const std::string& path) { return LinkStatusOf(path).Exists(); }

std::string FolderOf(const std::string& path) {
    std::filesystem::path parent = PathFromUtf8(path).parent_path();
    return parent.empty() ? std::string(".") : Utf8FromPath(parent);
}

int ConfigureConnection(sqlite3* db, std::string* detail) {
    std::string mode;
    int rc = PragmaText(db, "PRAGMA journal_mode=WAL", &mode);
    if (rc != SQLITE_OK) {
        *detail = ErrorText(db);
        return rc;
    }
    if (sqlite3_stricmp(mode.c_str(), "wal") != 0) {
        *detail = "cannot switch the file to WAL mode (journal mode stays " + mode + ")";
        return SQLITE_ERROR;
    }
    rc = Exec(db, "PRAGMA synchronous=NORMAL");
    if (rc != SQLITE_OK) {
        *detail = ErrorText(db);
        return rc;
    }
    // In exclusive locking mode SQLite takes its file lock with the first
    // access in WAL mode and then holds it; an empty write transaction makes
    // sure of it before the store is handed out.
    rc = Exec(db, "BEGIN IMMEDIATE; COMMIT");
    if (rc != SQLITE_OK) {
        *detail = ErrorText(db);
        if (!sqlite3_get_autocommit(db)) Exec(db, "ROLLBACK");
        return rc;
    }
    return SQLITE_OK;
}

}  // namespace tricala::detail
