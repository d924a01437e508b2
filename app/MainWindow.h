#pragma once
// The main window and the start-up splash: every control under the name the
// handlers use (also its objectName, so tests can findChild it).
// Positions are client-area pixels; page controls are placed relative to the
// tab control.

#include <QSize>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "store/DrawStore.h"

class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QTableView;

namespace tricala {

// The layout was drawn for windows with a classic Windows frame: 3-px side
// and bottom borders and a 23-px caption. The controls are placed in the
// client area, so the client area is what keeps the drawn outer size.
inline constexpr int kClassicFrameBorder = 3;
inline constexpr int kClassicCaptionHeight = 23;
inline constexpr QSize ClientSizeForOuter(int width, int height) {
    return {width - 2 * kClassicFrameBorder, height - kClassicCaptionHeight - kClassicFrameBorder};
}
inline constexpr QSize kMainWindowClientSize = ClientSizeForOuter(699, 599);  // 693 x 573
inline constexpr QSize kSplashWindowClientSize = ClientSizeForOuter(339, 136);  // 333 x 110

class NumberEdit;
class PagePlacer;
class TextTableModel;

class SplashWindow : public QWidget {
public:
    SplashWindow();
    QLabel* 标签1 = nullptr;
    QProgressBar* 进度条1 = nullptr;
};

class MainWindow : public QWidget {
public:
    MainWindow();
    ~MainWindow() override;

    // The store the handlers work on; owned by the window once attached.
    DrawStore* store() const { return store_.get(); }
    void AttachStore(std::unique_ptr<DrawStore> store);

    // Last-draw panel
    QGroupBox* 分组框4 = nullptr;
    QLabel* 标签1 = nullptr;
    NumberEdit* 编辑框1 = nullptr;
    QLabel* 标签2 = nullptr;
    QDateEdit* 日期框1 = nullptr;
    QLabel *标签3 = nullptr, *标签4 = nullptr, *标签5 = nullptr, *标签6 = nullptr;
    QLabel *标签7 = nullptr, *标签8 = nullptr, *标签9 = nullptr, *标签10 = nullptr;
    QLabel *标签11 = nullptr, *标签12 = nullptr, *标签13 = nullptr, *标签14 = nullptr;
    QLabel *标签15 = nullptr, *标签16 = nullptr, *标签17 = nullptr, *标签18 = nullptr;

    // Tab control and its pages
    QTabWidget* 选择夹1 = nullptr;
    QGroupBox *分组框1 = nullptr, *分组框2 = nullptr, *分组框3 = nullptr, *分组框5 = nullptr,
              *分组框6 = nullptr;
    QPushButton *按钮2 = nullptr, *按钮3 = nullptr, *按钮4 = nullptr;
    QPushButton *按钮5 = nullptr, *按钮6 = nullptr, *按钮7 = nullptr, *按钮8 = nullptr;
    QPushButton *按钮9 = nullptr, *按钮10 = nullptr, *按钮11 = nullptr, *按钮12 = nullptr;
    // 选择框[n] is 选择框n, n = 1..57 (index 0 unused).
    std::array<QCheckBox*, 58> 选择框{};
    QPushButton* 大小钮 = nullptr;
    QPushButton* 相加钮 = nullptr;
    QTableView* 超级列表框3 = nullptr;
    QLabel* 标签19 = nullptr;
    QLineEdit* 编辑框2 = nullptr;
    QLabel* 标签20 = nullptr;
    QPushButton* 按钮13 = nullptr;

    // Views and the rest
    QTableView* 超级列表框1 = nullptr;
    QPushButton* 按钮1 = nullptr;
    QPushButton* 按钮15 = nullptr;
    QTableView* 超级列表框2 = nullptr;
    QPlainTextEdit* 编辑框4 = nullptr;
    QPushButton* 按钮14 = nullptr;
    QStatusBar* 状态条1 = nullptr;
    QLabel* 状态条1Part0 = nullptr;  // " 提示信息："
    QLabel* 状态条1Part1 = nullptr;  // every status text

    // The rows behind 超级列表框1, 超级列表框2 and 超级列表框3.
    TextTableModel* 候选模型 = nullptr;
    TextTableModel* 历史模型 = nullptr;
    TextTableModel* 热度模型 = nullptr;

    // True while a pass that lets window messages through is running.
    bool passRunning = false;

    // Sees every status text as it is written, for tests that follow a
    // sequence of texts the player sees go by.
    std::function<void(const QString&)> statusWatcher;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    static constexpr int kStatusBarHeight = 22;
    void BuildLastDrawPanel();
    void BuildTabControl();
    void BuildPatternPages(QWidget* sizePage, QWidget* sumPage, PagePlacer& placer);
    void BuildViews();
    void BuildStatusBar();

    std::unique_ptr<DrawStore> store_;
    bool exitSaveOffered_ = false;  // the exit prompt comes at most once
};

// Gives a top-level window the fixed frame both windows share (caption, close
// box and window menu, no minimize/maximize box, no resizing) and centres it
// on its screen.
void SetUpFixedWindow(QWidget& window, QSize clientSize);

// Writes part 1 of 状态条1.
void SetStatusText(MainWindow& w, const QString& text);
QString StatusText(const MainWindow& w);

}  // namespace tricala
