// Opening the store behind the splash window and loading the first view of
// the data.

#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableView>
#include <cmath>

#include "app/Handlers.h"
#include "app/MainWindow.h"
#include "app/NumberEdit.h"
#include "app/OleDate.h"
#include "platform/MessageBox.h"
#include "store/WorkingSet.h"

namespace tricala {
namespace {

QString OpenFailureText(OpenError error) {
    switch (error) {
        case OpenError::Missing:
            return QStringLiteral("找不到本软件所在文件夹里的caipiao.edb文件！");
        case OpenError::InUse:
            return QStringLiteral("caipiao.edb文件正被另一个正在运行的本软件使用，请先关闭那个窗口！");
        case OpenError::ReadOnly:
            return QStringLiteral("caipiao.edb文件或本软件所在文件夹是只读的，无法保存数据，请检查文件权限！");
        case OpenError::NotAStore:
        case OpenError::None:
            break;
    }
    return QStringLiteral("本软件所在文件夹里的caipiao.edb文件已损坏或不是本软件的数据文件，无法打开！");
}

}  // namespace

QString StaleDataReminder(double now, double lastDraw) {
    const double days = now - lastDraw;
    if (days - 3 < -0.0000001) return {};
    double whole = std::floor(days);
    if (days - whole > 0.999999999999) whole += 1;
    return QStringLiteral("已有") + QString::number(static_cast<long long>(whole)) +
           QStringLiteral("天没有更新数据了,请点击“更新数据”!");
}

void SetStartupProgress(SplashWindow& splash, int percent) {
    splash.进度条1->setValue(percent);
    // Paint now: the start-up lets no input through until it is done.
    splash.repaint();
}

bool StartUpSequence(MainWindow& w, const QString& storeName) {
    SplashWindow splash;
    splash.show();
    SetStartupProgress(splash, 10);

    DrawStore::OpenResult opened = DrawStore::Open(storeName.toStdString());
    if (!opened.store) {
        splash.hide();
        platform::ShowMessage(OpenFailureText(opened.error), platform::MessageIcon::Stop);
        return false;
    }
    w.AttachStore(std::move(opened.store));
    ConnectHandlers(w);
    LoadStartupData(w, &splash);
    return true;
}

void LoadStartupData(MainWindow& w, SplashWindow* splash) {
    auto progress = [splash](int percent) {
        if (splash) SetStartupProgress(*splash, percent);
    };
    DrawStore& store = *w.store();
    progress(20);
    ResetCandidates(store);
    progress(40);
    RefreshCandidateList(w);
    progress(60);
    RefreshHistoryList(w);
    progress(70);

    const QDateTime now = w.日期框1->dateTime();
    {
        const QSignalBlocker programWrite(w.日期框1);
        w.日期框1->setMaximumDateTime(now);
        w.日期框1->setMinimumDateTime(DateTimeFromOle(store.ReadDate()));
    }
    w.超级列表框2->selectRow(0);
    progress(80);

    store.GoLast();
    const QString reminder = StaleDataReminder(OleFromDateTime(now), store.ReadDate());
    if (!reminder.isEmpty()) SetStatusText(w, reminder);
    progress(90);

    BuildHeatTable(w, {}, {}, {});
    progress(93);

    store.GoLast();
    w.编辑框1->WriteText(QString::fromStdString(store.ReadText(Field::中奖号)));
    progress(96);
    w.选择夹1->setCurrentIndex(4);
    progress(100);
}

}  // namespace tricala
