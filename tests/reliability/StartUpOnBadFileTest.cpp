// The whole start-up on store files the program cannot use: it must end the
// start-up with exactly one stop message that names the problem, attach no
// store, and leave the file byte for byte as it was, with nothing beside it.

#include <gtest/gtest.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QStringList>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <random>

#include "app/Handlers.h"
#include "app/MainWindow.h"
#include "platform/MessageBox.h"
#include "tests/reliability/CrashTemplate.h"
#include "tests/store/StoreTestUtil.h"
#include "tests/support/TempDir.h"

using namespace Qt::StringLiterals;

namespace tricala::test {
namespace {

const QString kDamaged = u"本软件所在文件夹里的caipiao.edb文件已损坏或不是本软件的数据文件，无法打开！"_s;
const QString kReadOnly = u"caipiao.edb文件或本软件所在文件夹是只读的，无法保存数据，请检查文件权限！"_s;

unsigned Seed() {
    if (const char* fixed = std::getenv("TRICALA_RELIABILITY_SEED")) return static_cast<unsigned>(std::stoul(fixed));
    return static_cast<unsigned>(std::chrono::system_clock::now().time_since_epoch().count());
}

const std::string& GoodStoreBytes() {
    static const std::string bytes = [] {
        TempDir dir;
        MakeCrashTemplate(dir.file("good.edb"));
        return ReadBytes(dir.file("good.edb"));
    }();
    return bytes;
}

class StartUpOnBadFile : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ClearShownMessages();
        platform::SetAutoAnswer(true, platform::MessageAnswer::Ok);
    }
    void TearDown() override {
        platform::SetAutoAnswer(false);
        platform::ClearShownMessages();
    }

    // Runs the start-up on the file at `path` and checks the refusal.
    void ExpectRefused(const std::string& path, const QString& message) {
        const std::string before = ReadBytes(path);
        platform::ClearShownMessages();
        {
            MainWindow w;
            w.show();
            EXPECT_FALSE(StartUpSequence(w, QString::fromStdString(path)));
            EXPECT_EQ(w.store(), nullptr);
            const auto& shown = platform::ShownMessages();
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_EQ(shown[0].text, message);
            EXPECT_EQ(shown[0].icon, platform::MessageIcon::Stop);
            EXPECT_TRUE(w.close());
        }
        EXPECT_EQ(platform::ShownMessages().size(), 1u) << "closing the refused window asked something";
        EXPECT_TRUE(ReadBytes(path) == before) << "the file changed";
        for (const char* side : {"-wal", "-shm", "-journal", "-lock"})
            EXPECT_FALSE(Exists(path + side)) << side << " left beside the file";
    }
};

TEST_F(StartUpOnBadFile, TruncatedAnywhere) {
    const std::string& good = GoodStoreBytes();
    const unsigned seed = Seed();
    std::mt19937 random(seed);
    std::uniform_int_distribution<size_t> offset(0, good.size() - 1);
    std::vector<size_t> offsets = {100, 4096};  // in the header, at a page end
    while (offsets.size() < 20) offsets.push_back(offset(random));
    for (size_t at : offsets) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ": truncated to " + std::to_string(at) + " of " +
                     std::to_string(good.size()) + " bytes");
        TempDir dir;
        WriteBytes(dir.file("caipiao.edb"), good.substr(0, at));
        ExpectRefused(dir.file("caipiao.edb"), kDamaged);
    }
}

// SQLite reads a short last page as if the missing bytes were zeros, and its
// integrity checks find nothing wrong when those bytes were the end of a
// record: the cut changes a stored value without a word. The file's size
// still gives the cut away (it is not the page count the header records).
TEST_F(StartUpOnBadFile, LastPageCutShortByAFewBytes) {
    const std::string& good = GoodStoreBytes();
    for (size_t cut : {1u, 5u, 14u}) {
        SCOPED_TRACE("cut short by " + std::to_string(cut) + " bytes");
        TempDir dir;
        WriteBytes(dir.file("caipiao.edb"), good.substr(0, good.size() - cut));
        ExpectRefused(dir.file("caipiao.edb"), kDamaged);
    }
}

TEST_F(StartUpOnBadFile, RandomBytes) {
    const unsigned seed = Seed();
    std::mt19937 random(seed);
    for (size_t size : {1u, 100u, 4096u, 65536u}) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ": " + std::to_string(size) + " random bytes");
        std::string bytes(size, '\0');
        for (char& c : bytes) c = static_cast<char>(random() & 0xff);
        TempDir dir;
        WriteBytes(dir.file("caipiao.edb"), bytes);
        ExpectRefused(dir.file("caipiao.edb"), kDamaged);
    }
    // A real header in front of noise.
    std::string bytes = GoodStoreBytes();
    for (size_t i = 100; i < bytes.size(); ++i) bytes[i] = static_cast<char>(random() & 0xff);
    TempDir dir;
    WriteBytes(dir.file("caipiao.edb"), bytes);
    ExpectRefused(dir.file("caipiao.edb"), kDamaged);
}

TEST_F(StartUpOnBadFile, OtherTables) {
    const char* const schemas[] = {
        "CREATE TABLE Draws(期数 TEXT, 中奖号 TEXT); INSERT INTO Draws VALUES('13001', '123');",
        "CREATE TABLE DrawStore(备选号 TEXT, 中奖号 TEXT, 开奖日期 TEXT, 期数 TEXT, 备份 TEXT, "
        "deleted INTEGER) STRICT; INSERT INTO DrawStore VALUES('', '123', '2013-01-01', '13001', '', 0);",
        "CREATE TABLE DrawStore(备选号 TEXT, 中奖号 TEXT, 开奖日期 REAL, 备份 TEXT, 期数 TEXT, "
        "deleted INTEGER) STRICT; INSERT INTO DrawStore VALUES('', '123', 41275, '', '13001', 0);",
    };
    for (const char* sql : schemas) {
        SCOPED_TRACE(sql);
        TempDir dir;
        RunSql(dir.file("caipiao.edb"), sql);
        ExpectRefused(dir.file("caipiao.edb"), kDamaged);
    }
}

// --- read-only, as a user without root's right to write anything -----------

// Runs the start-up in a fresh process as user nobody (when this test runs as
// root; else as this user). Gives its output lines.
QStringList StartUpAsUnprivileged(const std::string& path) {
    int out[2];
    if (::pipe(out) != 0) return {u"pipe failed"_s};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], 1);
        ::close(out[0]);
        ::close(out[1]);
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(120);
        ::execl(STARTUP_PROBE, STARTUP_PROBE, path.c_str(), static_cast<char*>(nullptr));
        ::_exit(121);
    }
    ::close(out[1]);
    std::string text;
    char chunk[4096];
    ssize_t n;
    while ((n = ::read(out[0], chunk, sizeof chunk)) > 0) text.append(chunk, static_cast<size_t>(n));
    ::close(out[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    QStringList lines = QString::fromStdString(text).split(u'\n', Qt::SkipEmptyParts);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) lines << u"exit status %1"_s.arg(status);
    return lines;
}

struct PermissionCase {
    const char* name;
    mode_t folderMode;
    mode_t fileMode;
    QStringList expected;
};

TEST_F(StartUpOnBadFile, ReadOnlyFileOrFolderForAnOrdinaryUser) {
    const PermissionCase cases[] = {
        {"read-only file", 0755, 0444, {u"started 0"_s, u"message "_s + kReadOnly}},
        {"read-only folder", 0555, 0666, {u"started 0"_s, u"message "_s + kReadOnly}},
        // The same user starts on a store it may write: the refusals above
        // come from the permissions, not from running as that user.
        {"writable", 0777, 0666, {u"started 1"_s}},
    };
    for (const PermissionCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
        const std::string folder = dir.file("program");
        ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
        const std::string path = folder + "/caipiao.edb";
        WriteBytes(path, GoodStoreBytes());
        ASSERT_EQ(::chmod(path.c_str(), c.fileMode), 0);
        ASSERT_EQ(::chmod(folder.c_str(), c.folderMode), 0);
        const std::string before = ReadBytes(path);

        EXPECT_EQ(StartUpAsUnprivileged(path), c.expected);
        if (c.expected.front() == u"started 0"_s) {
            EXPECT_TRUE(ReadBytes(path) == before) << "the file changed";
            for (const char* side : {"-wal", "-shm", "-journal", "-lock"})
                EXPECT_FALSE(Exists(path + side)) << side << " left beside the file";
        }
        ::chmod(folder.c_str(), 0755);
    }
}

}  // namespace
}  // namespace tricala::test
