#pragma once
// Helpers for the store tests: file bytes, raw table reads, a body run as
// another user.

#include <string>
#include <vector>

#include "store/DrawStore.h"

namespace tricala::test {

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);
long long FileSize(const std::string& path);  // -1 when missing

// Runs SQL on a file with a plain sqlite3 connection (creating it when
// needed); throws on error.
void RunSql(const std::string& path, const std::string& sql);

// A row of the table as the sqlite3 shell would list it, by rowid.
struct RawRow {
    long long rowid = 0;
    std::string 备选号, 中奖号;
    double 开奖日期 = 0.0;
    std::string 期数, 备份;
    long long deleted = 0;
};
std::vector<RawRow> ReadRawRows(const std::string& path);

// The rows of a query, each row's columns joined with "|"; throws on error.
std::vector<std::string> QueryRows(const std::string& path, const std::string& sql);

// A store of `count` records: record i (from 1) holds 期数 "r<i>", 中奖号
// the three digits of i % 1000, 开奖日期 1 May 2008 + i days, empty 备选号 and
// 备份. Cursor on record 1.
std::unique_ptr<DrawStore> MakeNumberedStore(const std::string& path, int count);

// Every field of every record is equal (deleted mark included).
bool SameRecords(const std::vector<Record>& a, const std::vector<Record>& b, std::string* why = nullptr);

// Runs `body` in a forked child (no exec) as user nobody when this process
// is root, else as the same user; gives the body's result (0..255), or -1
// when the child could not run.
int RunAsUnprivileged(int (*body)(const std::string&), const std::string& arg);

}  // namespace tricala::test
