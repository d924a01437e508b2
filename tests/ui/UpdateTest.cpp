// "更新数据" against a results server on this machine: what is appended,
// what is kept, and what the status bar says.

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QTest>
#include <cstdlib>
#include <filesystem>

#include "app/Handlers.h"
#include "app/NumberEdit.h"
#include "app/TextTableModel.h"
#include "tests/ui/UiFixture.h"
#include "tests/update/LocalHttpServer.h"

namespace tricala::test {
namespace {

using namespace Qt::StringLiterals;

struct PageDraw {
    const char* issue;
    const char* number;
    const char* date;
};

// Rows as the operator's page lists them, newest first.
std::string ResultsPage(std::initializer_list<PageDraw> draws) {
    std::string page = "<html><body><table>\n<tr><td>期号</td><td>中奖号码</td><td>开奖日期</td></tr>\n";
    for (const PageDraw& d : draws) {
        const std::string nbsp = "&nbsp;&nbsp;&nbsp;&nbsp;";
        page += std::string("<tr><td height=\"24\">") + d.issue + "</td><td>" + d.number[0] + nbsp +
                d.number[1] + nbsp + d.number[2] + "</td><td>" + d.date + "</td></tr>\n";
    }
    return page + "</table></body></html>\n";
}

class Update : public UiFixture {
protected:
    void TearDown() override {
        unsetenv("TRICALA_RESULTS_HOST");
        SetUpdateTimeLimitForTesting(std::chrono::milliseconds(10000));
        UiFixture::TearDown();
    }

    // Points the update at `server` and presses 按钮14; `shown` collects
    // the status texts in order.
    void RunUpdate(LocalHttpServer& server) { RunUpdateAt(server.hostAndPort()); }
    void RunUpdateAt(const std::string& host) {
        setenv("TRICALA_RESULTS_HOST", host.c_str(), 1);
        shown.clear();
        w->statusWatcher = [this](const QString& text) { shown << text; };
        QTest::mouseClick(w->按钮14, Qt::LeftButton);
        w->statusWatcher = nullptr;
    }
    QStringList shown;

    std::vector<std::string> Issues() const {
        std::vector<std::string> issues;
        for (const Record& r : w->store()->Records()) issues.push_back(r.期数);
        return issues;
    }

    // Strikes 单单单 and saves "777" into record 1's 备份, so a test can see
    // both sets survive.
    void NarrowAndSave() {
        Click(w->按钮8);
        w->store()->GoFirst();
        w->store()->ModifyRecord({.备份 = std::string("777")});
    }

    void ExpectWorkingSetKept() {
        const QStringList live = LiveCandidates();
        EXPECT_EQ(live.size(), 875);
        EXPECT_EQ(live.front(), u"000"_s);
        EXPECT_FALSE(live.contains(u"111"_s));
        EXPECT_EQ(w->store()->Records()[0].备份, "777");
        EXPECT_EQ(w->store()->Records()[0].备选号, "000");
        EXPECT_EQ(CandidateRows().size(), 875);
    }
};

TEST_F(Update, AppendsTheMissingDrawsOldestFirst) {
    auto draws = TwelveDraws();
    draws.resize(6);  // newest stored: 13244
    Start(draws);
    NarrowAndSave();
    LocalHttpServer server({.body = ResultsPage({{"13246", "538", "2013-10-13"},
                                                 {"13245", "077", "2013-10-12"},
                                                 {"13244", "000", "2013-10-09"}})});
    RunUpdate(server);

    EXPECT_EQ(shown, (QStringList{u"正在连接网络..."_s, u"读取完毕，开始分析数据..."_s,
                                  u"正在进一步分析数据..."_s, u"第13246期数据待下载，第1条数据待下载！"_s,
                                  u"第13245期数据待下载，第2条数据待下载！"_s, u"第13245期数据成功添加..."_s,
                                  u"第13246期数据成功添加..."_s, u"剩余号码数：875"_s, u"数据更新完毕！"_s}));
    EXPECT_EQ(server.requestLine(), "GET /lottery/pls/History.aspx?p=1 HTTP/1.0");
    EXPECT_EQ(server.header("Accept"), "*/*");
    EXPECT_EQ(server.header("User-Agent"), "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)");

    // Two records dropped from the front, two draws at the end, in order.
    const auto& records = w->store()->Records();
    ASSERT_EQ(records.size(), 1000u);
    EXPECT_EQ(records[992].期数, "13239");
    EXPECT_EQ(records[997].期数, "13244");
    EXPECT_EQ(records[998].期数, "13245");
    EXPECT_EQ(records[998].中奖号, "077");
    EXPECT_EQ(records[998].开奖日期, ParseDate("2013-10-12"));
    EXPECT_EQ(records[999].期数, "13246");
    EXPECT_EQ(records[999].中奖号, "538");
    EXPECT_TRUE(records[999].备份.empty());

    EXPECT_EQ(w->标签1->text(), u"第13246期："_s);
    EXPECT_EQ(w->编辑框1->text(), u"538"_s);
    EXPECT_EQ(w->日期框1->date(), QDate(2013, 10, 13));
    EXPECT_EQ(Status(), u"数据更新完毕！"_s);
    EXPECT_EQ(w->历史模型->Cell(0, 2), u"13246"_s);
    EXPECT_EQ(w->历史模型->rowCount(), 8);
    ExpectWorkingSetKept();
}

TEST_F(Update, PagesThatAddNothing) {
    struct Case {
        const char* name;
        std::string statusLine;
        std::string body;
        const char16_t* status;
        const char16_t* panel;  // 编辑框1 afterwards
    } cases[] = {
        {"already stored", "HTTP/1.0 200 OK",
         ResultsPage({{"13250", "623", "2013-10-17"}, {"13249", "999", "2013-10-14"}}),
         u"数据更新完毕！", u"623"},
        {"no overlap", "HTTP/1.0 200 OK",
         ResultsPage({{"13262", "456", "2013-10-29"}, {"13261", "321", "2013-10-28"}}),
         u"数据更新完毕！", u"456"},
        {"empty page", "HTTP/1.0 200 OK", "", u"数据更新完毕！", u"623"},
        {"error status", "HTTP/1.0 404 Not Found", "<html><body>Not Found</body></html>",
         u"数据更新完毕！", u"623"},
        {"misaligned", "HTTP/1.0 200 OK",
         ResultsPage({{"13251", "444", "2013-10-18"}}) + "<td height=\"24\">13250</td>",
         u"无法识别结果页面的内容，没有添加任何数据！", u"623"},
        {"impossible date", "HTTP/1.0 200 OK", ResultsPage({{"13251", "444", "2013-02-30"}}),
         u"无法识别结果页面的内容，没有添加任何数据！", u"623"},
        {"not newest first", "HTTP/1.0 200 OK",
         ResultsPage({{"13250", "623", "2013-10-17"}, {"13251", "444", "2013-10-18"}}),
         u"无法识别结果页面的内容，没有添加任何数据！", u"623"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Start();
        NarrowAndSave();
        const auto before = Issues();
        LocalHttpServer server({.statusLine = c.statusLine, .body = c.body});
        RunUpdate(server);
        EXPECT_EQ(Issues(), before);
        EXPECT_EQ(Status(), QString::fromUtf16(c.status));
        EXPECT_EQ(w->编辑框1->text(), QString::fromUtf16(c.panel));
        ExpectWorkingSetKept();
        w.reset();
        for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(StorePath() + suffix);
    }
}

TEST_F(Update, AnUnreachableHostEndsAsAnEmptyPage) {
    Start();
    const auto before = Issues();
    RunUpdateAt("127.0.0.1:1");  // nothing listens there: refused at once
    EXPECT_EQ(shown, (QStringList{u"正在连接网络..."_s, u"读取完毕，开始分析数据..."_s,
                                  u"正在进一步分析数据..."_s, u"数据更新完毕！"_s}));
    EXPECT_EQ(Issues(), before);
}

TEST_F(Update, StoredIssueThatBeginsWithThePagesCountsAsStored) {
    auto draws = TwelveDraws();
    draws.back().issue = "132501";
    Start(draws);
    LocalHttpServer server({.body = ResultsPage({{"13250", "623", "2013-10-17"}})});
    const auto before = Issues();
    RunUpdate(server);
    EXPECT_EQ(Issues(), before);
    EXPECT_EQ(Status(), u"数据更新完毕！"_s);
}

TEST_F(Update, EverythingAfterAZeroByteIsIgnored) {
    Start();
    std::string body = ResultsPage({{"13251", "444", "2013-10-18"}, {"13250", "623", "2013-10-17"}});
    body += std::string(1, '\0') + ResultsPage({{"13252", "555", "2013-10-19"}});
    LocalHttpServer server({.body = body});
    RunUpdate(server);
    EXPECT_EQ(w->store()->Records().back().期数, "13251");
    EXPECT_EQ(w->store()->RecordCount(), 1000);
}

TEST_F(Update, AHungServerTimesOutAndChangesNothing) {
    Start();
    SetUpdateTimeLimitForTesting(std::chrono::milliseconds(300));
    LocalHttpServer server({}, LocalHttpServer::Mode::Hang);
    const auto before = Issues();
    RunUpdate(server);
    EXPECT_EQ(Status(), u"网络连接超时，更新失败！"_s);
    EXPECT_EQ(Issues(), before);
    EXPECT_TRUE(w->按钮14->isEnabled());
}

TEST_F(Update, AnEndlessBodyIsCutOff) {
    Start();
    LocalHttpServer server({}, LocalHttpServer::Mode::EndlessBody);
    RunUpdate(server);
    EXPECT_EQ(Status(), u"结果页面过大，已停止读取，更新失败！"_s);
}

TEST_F(Update, NoOtherHandlerRunsWhileTheScanLetsMessagesThrough) {
    Start();
    LocalHttpServer server({.body = ResultsPage({{"13262", "456", "2013-10-29"},
                                                 {"13261", "321", "2013-10-28"}})});
    bool checked = false;
    QTimer::singleShot(0, w.get(), [&] {
        EXPECT_FALSE(w->按钮14->isEnabled());
        EXPECT_FALSE(w->选择夹1->isEnabled());
        OddEvenFilter(*w, u"单单单"_s);  // as a click that slipped through
        RefillCandidates(*w);
        checked = true;
    });
    RunUpdate(server);
    EXPECT_TRUE(checked);
    EXPECT_EQ(LiveCandidates().size(), 1000);
    EXPECT_TRUE(w->按钮14->isEnabled());
    EXPECT_TRUE(w->选择夹1->isEnabled());
}

}  // namespace
}  // namespace tricala::test
