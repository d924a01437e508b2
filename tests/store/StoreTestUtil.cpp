#include "tests/store/StoreTestUtil.h"

#include <sqlite3.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tricala::test {

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

bool Exists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

long long FileSize(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? static_cast<long long>(st.st_size) : -1;
}

void RunSql(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    char* message = nullptr;
    if (rc == SQLITE_OK) rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message);
    std::string error = message ? message : (db ? sqlite3_errmsg(db) : "open failed");
    sqlite3_free(message);
    sqlite3_close(db);
    if (rc != SQLITE_OK) throw std::runtime_error("sql on " + path + ": " + error);
}

std::vector<RawRow> ReadRawRows(const std::string& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + path);
    }
    sqlite3_stmt* st = nullptr;
    std::vector<RawRow> rows;
    int rc = sqlite3_prepare_v2(db, "SELECT rowid, * FROM DrawStore ORDER BY rowid", -1, &st, nullptr);
    auto text = [&st](int column) {
        const unsigned char* t = sqlite3_column_text(st, column);
        return t ? std::string(reinterpret_cast<const char*>(t), static_cast<size_t>(sqlite3_column_bytes(st, column)))
                 : std::string();
    };
    while (rc == SQLITE_OK && (rc = sqlite3_step(st)) == SQLITE_ROW) {
        rows.push_back({sqlite3_column_int64(st, 0), text(1), text(2), sqlite3_column_double(st, 3), text(4), text(5),
                        sqlite3_column_int64(st, 6)});
        rc = SQLITE_OK;
    }
    const std::string error = sqlite3_errmsg(db);
    sqlite3_finalize(st);
    sqlite3_close(db);
    if (rc != SQLITE_DONE) throw std::runtime_error("cannot read " + path + ": " + error);
    return rows;
}

std::vector<std::string> QueryRows(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + path);
    }
    sqlite3_stmt* st = nullptr;
    std::vector<std::string> rows;
    int rc = sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr);
    while (rc == SQLITE_OK && (rc = sqlite3_step(st)) == SQLITE_ROW) {
        std::string row;
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            const unsigned char* t = sqlite3_column_text(st, c);
            if (c > 0) row += "|";
            if (t) row.append(reinterpret_cast<const char*>(t), static_cast<size_t>(sqlite3_column_bytes(st, c)));
        }
        rows.push_back(std::move(row));
        rc = SQLITE_OK;
    }
    const std::string error = sqlite3_errmsg(db);
    sqlite3_finalize(st);
    sqlite3_close(db);
    if (rc != SQLITE_DONE) throw std::runtime_error("query on " + path + ": " + error);
    return rows;
}

std::unique_ptr<DrawStore> MakeNumberedStore(const std::string& path, int count) {
    std::string error;
    auto store = DrawStore::Create(path, &error);
    if (!store) throw std::runtime_error("cannot create " + path + ": " + error);
    const double first = OleDateFromParts(2008, 5, 1);
    const bool ok = store->Atomically([&] {
        for (int i = 1; i <= count; ++i) {
            char number[8];
            std::snprintf(number, sizeof number, "%03d", i % 1000);
            store->AddRecord({.中奖号 = std::string(number), .开奖日期 = first + i, .期数 = "r" + std::to_string(i)});
        }
        return true;
    });
    if (!ok) throw std::runtime_error("cannot fill " + path);
    store->GoFirst();
    return store;
}

bool SameRecords(const std::vector<Record>& a, const std::vector<Record>& b, std::string* why) {
    auto say = [why](std::string text) {
        if (why) *why = std::move(text);
        return false;
    };
    if (a.size() != b.size()) return say("counts " + std::to_string(a.size()) + " and " + std::to_string(b.size()));
    for (size_t i = 0; i < a.size(); ++i) {
        const Record& x = a[i];
        const Record& y = b[i];
        if (x.备选号 != y.备选号 || x.中奖号 != y.中奖号 || x.开奖日期 != y.开奖日期 || x.期数 != y.期数 ||
            x.备份 != y.备份 || x.deleted != y.deleted) {
            return say("record " + std::to_string(i + 1) + " differs: [" + x.备选号 + "|" + x.中奖号 + "|" +
                       std::to_string(x.开奖日期) + "|" + x.期数 + "|" + x.备份 + "|" + std::to_string(x.deleted) +
                       "] vs [" + y.备选号 + "|" + y.中奖号 + "|" + std::to_string(y.开奖日期) + "|" + y.期数 + "|" +
                       y.备份 + "|" + std::to_string(y.deleted) + "]");
        }
    }
    return true;
}

int RunAsUnprivileged(int (*body)(const std::string&), const std::string& arg) {
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        if (::geteuid() == 0) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(254);
        }
        ::_exit(body(arg) & 0xff);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace tricala::test
