// The draw store on SQLite.
//
// File: one STRICT table
//
//   DrawStore(备选号 TEXT, 中奖号 TEXT, 开奖日期 REAL, 期数 TEXT, 备份 TEXT,
//             deleted INTEGER)
//
// in this column order; record order is rowid order; 开奖日期 is the OLE
// Automation day count; `deleted` is the deletion mark (0/1). Text is UTF-8.
//
// Every record is held in memory (records_, rowids_ in rowid order) and each
// change is written through with one prepared statement before the
// operation returns. The connection runs in WAL mode with synchronous=NORMAL,
// so a returned change survives a killed process.
//
// An open store holds the claim on its file (store/StoreClaim.h). The
// connection also runs in exclusive locking mode, so other SQLite clients
// (the sqlite3 shell) cannot read or write the file while the store is open.
//
// Open never creates or writes a file it rejects: the connection is opened
// read-write without create, everything up to and including the schema check,
// an integrity check and the loading of all rows only reads, and WAL mode
// (a write when the file is not yet in WAL mode) is set only after that.

#include "store/DrawStore.h"

#include <cassert>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <utility>

#include "store/FileSystem.h"
#include "store/SqliteStatement.h"
#include "store/StoreClaim.h"
#include "store/StoreFile.h"

namespace tricala {
namespace {

using detail::CanReadFile;
using detail::CanWriteFile;
using detail::CanWriteFolder;
using detail::CheckSchema;
using detail::Claim;
using detail::Classify;
using detail::ConfigureConnection;
using detail::CreateNewFile;
using detail::ErrorText;
using detail::Exec;
using detail::Failure;
using detail::FileExists;
using detail::FolderOf;
using detail::LinkStatusOf;
using detail::PathFromUtf8;
using detail::PathKind;
using detail::PathStatus;
using detail::RemoveFile;
using detail::SqliteStatement;
using detail::StatusOf;

constexpr const char* kCreateTableSql =
    "CREATE TABLE DrawStore(\n"
    "    备选号 TEXT NOT NULL DEFAULT '',\n"
    "    中奖号 TEXT NOT NULL DEFAULT '',\n"
    "    开奖日期 REAL NOT NULL DEFAULT 0,\n"
    "    期数 TEXT NOT NULL DEFAULT '',\n"
    "    备份 TEXT NOT NULL DEFAULT '',\n"
    "    deleted INTEGER NOT NULL DEFAULT 0 CHECK (deleted IN (0, 1))\n"
    ") STRICT";

const std::string& EmptyText() {
    static const std::string empty;
    return empty;
}

struct DbCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using DbHandle = std::unique_ptr<sqlite3, DbCloser>;

}  // namespace

std::string StoreFileName(const std::string& fileName) {
    if (PathFromUtf8(fileName).has_extension()) return fileName;
    return fileName + ".edb";
}

struct DrawStore::Statements {
    SqliteStatement begin;
    SqliteStatement commit;
    SqliteStatement rollback;
    SqliteStatement update;
    SqliteStatement insert;
    SqliteStatement markDeleted;
    SqliteStatement purge;
    SqliteStatement purgeOne;
    SqliteStatement updateCandidate;
    SqliteStatement updateSaved;

    // Prepares every statement; gives the first failing code.
    int Prepare(sqlite3* db) {
        const std::pair<SqliteStatement*, const char*> all[] = {
            {&begin, "BEGIN IMMEDIATE"},
            {&commit, "COMMIT"},
            {&rollback, "ROLLBACK"},
            {&update,
             "UPDATE DrawStore SET 备选号 = ?1, 中奖号 = ?2, 开奖日期 = ?3, 期数 = ?4, 备份 = ?5 "
             "WHERE rowid = ?6"},
            {&insert,
             "INSERT INTO DrawStore(rowid, 备选号, 中奖号, 开奖日期, 期数, 备份, deleted) "
             "VALUES (?6, ?1, ?2, ?3, ?4, ?5, 0)"},
            {&markDeleted, "UPDATE DrawStore SET deleted = 1 WHERE rowid = ?1"},
            {&purge, "DELETE FROM DrawStore WHERE deleted <> 0"},
            {&purgeOne, "DELETE FROM DrawStore WHERE rowid = ?1"},
            {&updateCandidate, "UPDATE DrawStore SET 备选号 = ?1 WHERE rowid = ?2"},
            {&updateSaved, "UPDATE DrawStore SET 备份 = ?1 WHERE rowid = ?2"},
        };
        for (const auto& [statement, sql] : all) {
            const int rc = statement->Prepare(db, sql, true);
            if (rc != SQLITE_OK) return rc;
        }
        return SQLITE_OK;
    }
};

namespace {

// Binds the five fields as parameters 1..5 and the rowid as parameter 6.
void BindRecord(SqliteStatement& st, const Record& r, long long rowid) {
    st.BindText(1, r.备选号);
    st.BindText(2, r.中奖号);
    st.BindDouble(3, r.开奖日期);
    st.BindText(4, r.期数);
    st.BindText(5, r.备份);
    st.BindInt64(6, rowid);
}

bool SameFields(const Record& a, const Record& b) {
    return a.备选号 == b.备选号 && a.中奖号 == b.中奖号 && a.开奖日期 == b.开奖日期 && a.期数 == b.期数 &&
           a.备份 == b.备份;
}

}  // namespace

DrawStore::DrawStore(sqlite3* db) : db_(db), stmts_(std::make_unique<Statements>()) {}

DrawStore::~DrawStore() {
    stmts_.reset();  // finalize before closing
    if (db_) sqlite3_close_v2(db_);
    Claim::Release(claim_, claimPath_);
}

DrawStore::OpenResult DrawStore::Open(const std::string& fileName) {
    OpenResult result;
    auto fail = [&result](OpenError error, std::string detail) {
        result.store.reset();
        result.error = error;
        result.detail = std::move(detail);
        return std::move(result);
    };
    const std::string path = StoreFileName(fileName);

    const PathStatus status = StatusOf(path);
    if (status.kind == PathKind::Missing) return fail(OpenError::Missing, path + ": " + status.error);
    if (status.kind == PathKind::Unknown) return fail(OpenError::NotAStore, path + ": " + status.error);
    if (status.kind != PathKind::RegularFile) return fail(OpenError::NotAStore, path + ": not a regular file");
    std::string why;
    if (!CanReadFile(path, &why)) return fail(OpenError::NotAStore, path + ": " + why);
    if (!CanWriteFile(path, &why)) return fail(OpenError::ReadOnly, path + ": " + why);
    const std::string folder = FolderOf(path);
    if (!CanWriteFolder(folder, &why)) return fail(OpenError::ReadOnly, folder + ": " + why);

    Claim claim;
    std::string claimDetail;
    if (const OpenError claimError = claim.Take(path, &claimDetail); claimError != OpenError::None) {
        return fail(claimError, claimDetail);
    }

    // Reading a WAL-mode file creates an empty "-wal" beside it; a rejected
    // file should not leave one behind.
    const std::string walPath = path + "-wal";
    const bool walExisted = FileExists(walPath);
    auto dropNewWal = [&] {
        if (walExisted) return;
        const PathStatus wal = LinkStatusOf(walPath);
        if (wal.kind == PathKind::RegularFile && wal.size == 0) RemoveFile(walPath);
    };

    sqlite3* raw = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_EXRESCODE, nullptr);
    DbHandle db(raw);
    if (rc != SQLITE_OK) return fail(Classify(rc), ErrorText(raw));
    // No checkpoint on close until the file has been accepted: closing a
    // rejected WAL-mode file must not write it.
    sqlite3_db_config(raw, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    rc = Exec(raw, "PRAGMA locking_mode=EXCLUSIVE");
    if (rc != SQLITE_OK) return fail(Classify(rc), ErrorText(raw));

    Failure failure = CheckSchema(raw);
    if (failure.error != OpenError::None) {
        db.reset();
        dropNewWal();
        return fail(failure.error, std::move(failure.detail));
    }

    std::unique_ptr<DrawStore> store(new DrawStore(db.release()));
    claim.MoveTo(&store->claim_, &store->claimPath_);
    std::string detail;
    if (!store->Load(&detail)) {
        const OpenError error = Classify(sqlite3_extended_errcode(store->db_));
        store.reset();
        dropNewWal();
        return fail(error == OpenError::None ? OpenError::NotAStore : error, detail);
    }
    if (sqlite3_db_readonly(store->db_, "main") == 1) {
        store.reset();
        dropNewWal();
        return fail(OpenError::ReadOnly, path + ": the file cannot be written");
    }

    rc = ConfigureConnection(store->db_, &detail);
    if (rc == SQLITE_OK) {
        rc = store->stmts_->Prepare(store->db_);
        if (rc != SQLITE_OK) detail = ErrorText(store->db_);
    }
    if (rc != SQLITE_OK) {
        store.reset();
        dropNewWal();
        return fail(Classify(rc), detail);
    }
    sqlite3_db_config(store->db_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 0, nullptr);
    result.store = std::move(store);
    result.error = OpenError::None;
    return result;
}

std::unique_ptr<DrawStore> DrawStore::Create(const std::string& fileName, std::string* error) {
    const std::string path = StoreFileName(fileName);
    auto fail = [&](std::string why) -> std::unique_ptr<DrawStore> {
        if (error) *error = std::move(why);
        return nullptr;
    };
    if (std::string why; !CreateNewFile(path, &why)) return fail(path + ": " + why);
    auto removeFiles = [&path] {
        RemoveFile(path);
        RemoveFile(path + "-wal");
        RemoveFile(path + "-shm");
    };
    Claim claim;
    std::string detail;
    if (claim.Take(path, &detail) != OpenError::None) {
        removeFiles();
        return fail(detail);
    }

    sqlite3* raw = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_EXRESCODE, nullptr);
    std::unique_ptr<DrawStore> store(new DrawStore(raw));
    claim.MoveTo(&store->claim_, &store->claimPath_);
    if (rc == SQLITE_OK) rc = Exec(raw, "PRAGMA locking_mode=EXCLUSIVE");
    if (rc == SQLITE_OK) rc = ConfigureConnection(raw, &detail);
    if (rc == SQLITE_OK) rc = Exec(raw, kCreateTableSql);
    if (rc == SQLITE_OK) rc = store->stmts_->Prepare(raw);
    if (rc != SQLITE_OK) {
        if (detail.empty()) detail = ErrorText(raw);
        store.reset();
        removeFiles();
        return fail(path + ": " + detail);
    }
    return store;
}

bool DrawStore::Load(std::string* error) {
    SqliteStatement st;
    int rc = st.Prepare(db_,
                        "SELECT rowid, 备选号, 中奖号, 开奖日期, 期数, 备份, deleted "
                        "FROM DrawStore ORDER BY rowid");
    if (rc != SQLITE_OK) {
        if (error) *error = ErrorText(db_);
        return false;
    }
    std::vector<Record> records;
    std::vector<long long> rowids;
    auto text = [&st](int column, std::string* out) {
        const int type = st.ColumnType(column);
        if (type == SQLITE_NULL) return true;
        if (type != SQLITE_TEXT) return false;
        *out = st.ColumnText(column);
        return true;
    };
    while ((rc = st.Step()) == SQLITE_ROW) {
        Record r;
        bool ok = text(1, &r.备选号) && text(2, &r.中奖号) && text(4, &r.期数) && text(5, &r.备份);
        const int dateType = st.ColumnType(3);
        if (dateType == SQLITE_FLOAT || dateType == SQLITE_INTEGER) {
            r.开奖日期 = st.ColumnDouble(3);
        } else if (dateType != SQLITE_NULL) {
            ok = false;
        }
        const int deletedType = st.ColumnType(6);
        if (deletedType == SQLITE_INTEGER) {
            r.deleted = st.ColumnInt64(6) != 0;
        } else if (deletedType != SQLITE_NULL) {
            ok = false;
        }
        if (!ok) {
            if (error) *error = "record " + std::to_string(records.size() + 1) + " holds a value of the wrong type";
            return false;
        }
        rowids.push_back(st.ColumnInt64(0));
        records.push_back(std::move(r));
    }
    if (rc != SQLITE_DONE) {
        if (error) *error = ErrorText(db_);
        return false;
    }
    records_ = std::move(records);
    rowids_ = std::move(rowids);
    cursor_ = 0;
    return true;
}

void DrawStore::GoFirst() { cursor_ = 0; }

void DrawStore::GoLast() { cursor_ = records_.empty() ? 0 : static_cast<int>(records_.size()) - 1; }

bool DrawStore::Skip() {
    if (cursor_ >= static_cast<int>(records_.size())) return false;
    ++cursor_;
    return true;
}

FieldValue DrawStore::ReadField(Field field) const {
    if (field == Field::开奖日期) return ReadDate();
    return ReadText(field);
}

const std::string& DrawStore::ReadText(Field field) const {
    if (cursor_ >= static_cast<int>(records_.size())) {
        assert(field != Field::开奖日期 && "ReadText of 开奖日期: use ReadDate");
        return EmptyText();
    }
    const Record& r = records_[static_cast<size_t>(cursor_)];
    switch (field) {
        case Field::备选号:
            return r.备选号;
        case Field::中奖号:
            return r.中奖号;
        case Field::期数:
            return r.期数;
        case Field::备份:
            return r.备份;
        case Field::开奖日期:
            break;
    }
    assert(false && "ReadText of 开奖日期 or of an unknown field");
    return EmptyText();
}

double DrawStore::ReadDate() const {
    if (cursor_ >= static_cast<int>(records_.size())) return 0.0;
    return records_[static_cast<size_t>(cursor_)].开奖日期;
}

void DrawStore::ModifyRecord(const RecordValues& values) {
    if (cursor_ >= static_cast<int>(records_.size())) return;
    if (values.开奖日期 && !std::isfinite(*values.开奖日期)) return;  // not a date-time: refused
    const size_t index = static_cast<size_t>(cursor_);
    Record updated = records_[index];
    if (values.备选号) updated.备选号 = *values.备选号;
    if (values.中奖号) updated.中奖号 = *values.中奖号;
    if (values.开奖日期) updated.开奖日期 = *values.开奖日期;
    if (values.期数) updated.期数 = *values.期数;
    if (values.备份) updated.备份 = *values.备份;
    const Record& current = records_[index];
    if (SameFields(updated, current)) return;

    // The program's own writes change one field: a strike or refill the
    // candidate, the exit save the saved number. They get a statement each.
    const bool candidateOnly = updated.中奖号 == current.中奖号 && updated.开奖日期 == current.开奖日期 &&
                               updated.期数 == current.期数;
    SqliteStatement* st = &stmts_->update;
    if (candidateOnly && updated.备份 == current.备份) {
        st = &stmts_->updateCandidate;
        st->BindText(1, updated.备选号);
        st->BindInt64(2, rowids_[index]);
    } else if (candidateOnly && updated.备选号 == current.备选号) {
        st = &stmts_->updateSaved;
        st->BindText(1, updated.备份);
        st->BindInt64(2, rowids_[index]);
    } else {
        BindRecord(*st, updated, rowids_[index]);
    }
    if (st->Run() != SQLITE_DONE) {
        NoteWriteFailure();
        return;
    }
    records_[index] = std::move(updated);
}

bool DrawStore::FindForward(const std::function<bool()>& condition) {
    const int start = cursor_;
    for (int i = start; i < static_cast<int>(records_.size()); ++i) {
        cursor_ = i;
        if (condition()) return true;
    }
    cursor_ = std::min(start, static_cast<int>(records_.size()));
    return false;
}

void DrawStore::AddRecord(const RecordValues& values) {
    if (values.开奖日期 && !std::isfinite(*values.开奖日期)) return;  // not a date-time: refused
    Record r;
    if (values.备选号) r.备选号 = *values.备选号;
    if (values.中奖号) r.中奖号 = *values.中奖号;
    if (values.开奖日期) r.开奖日期 = *values.开奖日期;
    if (values.期数) r.期数 = *values.期数;
    if (values.备份) r.备份 = *values.备份;
    const long long rowid = rowids_.empty() ? 1 : rowids_.back() + 1;
    if (!rowids_.empty() && rowids_.back() == std::numeric_limits<long long>::max()) {
        NoteWriteFailure();  // no rowid left above the last one
        return;
    }

    SqliteStatement& st = stmts_->insert;
    BindRecord(st, r, rowid);
    if (st.Run() != SQLITE_DONE) {
        NoteWriteFailure();
        return;
    }
    records_.push_back(std::move(r));
    rowids_.push_back(rowid);
    cursor_ = static_cast<int>(records_.size()) - 1;
}

void DrawStore::DeleteRecord() {
    if (cursor_ >= static_cast<int>(records_.size())) return;
    const size_t index = static_cast<size_t>(cursor_);
    if (records_[index].deleted) return;
    SqliteStatement& st = stmts_->markDeleted;
    st.BindInt64(1, rowids_[index]);
    if (st.Run() != SQLITE_DONE) {
        NoteWriteFailure();
        return;
    }
    records_[index].deleted = true;
}

void DrawStore::PurgeDeleted() {
    cursor_ = 0;
    std::vector<long long> marked;
    for (std::size_t i = 0; i < records_.size(); ++i)
        if (records_[i].deleted) marked.push_back(rowids_[i]);
    if (marked.empty()) return;
    // Few marks go by rowid: the statement that finds every mark reads the
    // whole table. Several deletes are only safe inside a transaction.
    if (marked.size() == 1 || inTransaction_) {
        for (long long rowid : marked) {
            stmts_->purgeOne.BindInt64(1, rowid);
            if (stmts_->purgeOne.Run() != SQLITE_DONE) {
                NoteWriteFailure();
                return;
            }
        }
    } else if (stmts_->purge.Run() != SQLITE_DONE) {
        NoteWriteFailure();
        return;
    }
    size_t kept = 0;
    for (size_t i = 0; i < records_.size(); ++i) {
        if (records_[i].deleted) continue;
        if (kept != i) {
            records_[kept] = std::move(records_[i]);
            rowids_[kept] = rowids_[i];
        }
        ++kept;
    }
    records_.resize(kept);
    rowids_.resize(kept);
}

int DrawStore::RecordCount() const { return static_cast<int>(records_.size()); }

int DrawStore::RecordNumber() const { return cursor_ + 1; }

bool DrawStore::Atomically(const std::function<bool()>& work) {
    if (inTransaction_) return false;  // not reentrant: the inner call does nothing
    if (stmts_->begin.Run() != SQLITE_DONE) return false;
    std::vector<Record> savedRecords = records_;
    std::vector<long long> savedRowids = rowids_;
    const int savedCursor = cursor_;
    auto rollBack = [&] {
        if (!sqlite3_get_autocommit(db_)) stmts_->rollback.Run();
        records_ = std::move(savedRecords);
        rowids_ = std::move(savedRowids);
        cursor_ = savedCursor;
        inTransaction_ = false;
        writeFailed_ = false;
    };

    inTransaction_ = true;
    writeFailed_ = false;
    bool ok = false;
    try {
        ok = work();
    } catch (...) {
        rollBack();
        throw;
    }
    inTransaction_ = false;
    if (ok && !writeFailed_ && stmts_->commit.Run() == SQLITE_DONE) return true;
    rollBack();
    return false;
}

void DrawStore::NoteWriteFailure() {
    if (inTransaction_) writeFailed_ = true;
#ifdef TRICALA_DEBUG
    std::fprintf(stderr, "DrawStore: write failed: %s\n", ErrorText(db_).c_str());
#endif
}

}  // namespace tricala
