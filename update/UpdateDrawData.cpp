// "更新数据": read the results page and append the draws the store lacks.

#include <QDateEdit>
#include <QLabel>
#include <QSignalBlocker>

#include "app/ExclusivePass.h"
#include "app/Handlers.h"
#include "app/MainWindow.h"
#include "app/NumberEdit.h"
#include "app/OleDate.h"
#include "platform/Clock.h"
#include "platform/PendingMessages.h"
#include "update/DrawAppend.h"
#include "update/HttpFetch.h"
#include "update/ResultsPage.h"

namespace tricala {
namespace {

std::chrono::milliseconds timeLimit = kUpdateTimeLimit;

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The texts before the scan are written while the fetch blocks the window:
// paint them at once so the player sees what it waits for. The scan lets
// messages through, which paints its texts.
void ShowStatusNow(MainWindow& w, const QString& text) {
    SetStatusText(w, text);
    w.状态条1Part1->repaint();
}

void ShowStatus(MainWindow& w, const QString& text) { SetStatusText(w, text); }

void ShowNewestDraw(MainWindow& w, const PageRow& newest) {
    w.标签1->setText(QStringLiteral("第") + Q(newest.issue) + QStringLiteral("期："));
    {
        const QSignalBlocker programWrite(w.日期框1);
        w.日期框1->setDateTime(DateTimeFromOle(newest.date));
    }
    w.编辑框1->WriteText(Q(newest.number));
}

bool IssueAlreadyStored(const DrawStore& store, const std::string& issue) {
    return store.ReadText(Field::期数).starts_with(issue);
}

}  // namespace

void SetUpdateTimeLimitForTesting(std::chrono::milliseconds limit) { timeLimit = limit; }

void UpdateDrawData(MainWindow& w) {
    const ExclusivePass pass(w, ExclusivePass::Lock::Controls);
    if (!pass) return;
    ShowStatusNow(w, QStringLiteral("正在连接网络..."));
    const auto start = platform::SteadyNow();
    const FetchResult page = FetchResultsPage("1", timeLimit);
    const auto elapsed = platform::SteadyNow() - start;
    if (page.timedOut || elapsed > timeLimit) {
        ShowStatus(w, QStringLiteral("网络连接超时，更新失败！"));
        return;
    }
    if (page.tooLarge) {
        ShowStatus(w, QStringLiteral("结果页面过大，已停止读取，更新失败！"));
        return;
    }
    ShowStatusNow(w, QStringLiteral("读取完毕，开始分析数据..."));
    const bool scanned = ScanResultsPage(w, page.body);
    RefreshHistoryList(w);
    if (scanned) ShowStatus(w, QStringLiteral("数据更新完毕！"));
}

bool ScanResultsPage(MainWindow& w, const std::string& pageText) {
    const ParsedPage page = ParseResultsPage(pageText);
    if (!page.readable) {
        ShowStatus(w, QStringLiteral("无法识别结果页面的内容，没有添加任何数据！"));
        return false;
    }
    ShowStatus(w, QStringLiteral("正在进一步分析数据..."));
    DrawStore& store = *w.store();
    const int rowCount = static_cast<int>(page.rows.size());
    for (int j = 0; j < rowCount; ++j) {
        platform::ProcessPendingMessages();
        const std::string& issue = page.rows[j].issue;
        ShowNewestDraw(w, page.rows.front());
        // The whole table is searched: the newest stored draw is the last
        // record, so the first row found is always that draw's row.
        store.GoFirst();
        if (!store.FindForward([&] { return IssueAlreadyStored(store, issue); })) {
            ShowStatus(w, QStringLiteral("第") + Q(issue) + QStringLiteral("期数据待下载，第") +
                              QString::number(j + 1) + QStringLiteral("条数据待下载！"));
            continue;
        }
        if (j == 0) return true;
        const std::vector<PageRow> missing(page.rows.begin(), page.rows.begin() + j);
        if (!AppendDraws(store, missing)) {
            ShowStatus(w, QStringLiteral("保存新数据失败，没有添加任何数据！"));
            return false;
        }
        for (int r = j - 1; r >= 0; --r)
            ShowStatus(w, QStringLiteral("第") + Q(page.rows[r].issue) +
                              QStringLiteral("期数据成功添加..."));
        // The working set kept its place; show it as it now stands.
        RefreshCandidateList(w);
        return true;
    }
    return true;
}

}  // namespace tricala
