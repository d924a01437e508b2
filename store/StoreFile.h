#pragma once
// What DrawStore does to a file before it holds it: error classification,
// the checks a file must pass, file and folder helpers, and the connection
// mode. Internal to the store.

#include <sqlite3.h>

#include <string>

#include "store/DrawStore.h"

namespace tricala::detail {

std::string ErrorText(sqlite3* db);

// The OpenError a failed sqlite call stands for.
OpenError Classify(int rc);

int Exec(sqlite3* db, const char* sql);

// Runs a pragma that yields one text row and gives that text (empty on error).
int PragmaText(sqlite3* db, const char* sql, std::string* value);

struct Failure {
    OpenError error = OpenError::None;
    std::string detail;
};

// Checks that the file holds a DrawStore table of our schema and passes
// SQLite's quick integrity check. Reads only.
//
// Schema rule: a table named DrawStore that is STRICT, has a rowid and has
// exactly the six columns of the store, by name and declared type, in that
// order (INT is accepted for INTEGER). Constraints and defaults are not
// checked; NULL read from a column counts as the empty value. Other tables in
// the file are ignored. A non-STRICT table is rejected as NotAStore: its
// columns could hold values of any type.
Failure CheckSchema(sqlite3* db);

bool FileExists(const std::string& path);

std::string FolderOf(const std::string& path);

// Puts the connection into the mode it keeps while the store is open.
int ConfigureConnection(sqlite3* db, std::string* detail);

}  // namespace tricala::detail
