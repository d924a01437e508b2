// The three buttons that strike the ten numbers sharing two positions with
// the number in the panel.

#include "app/ExclusivePass.h"
#include "app/Handlers.h"
#include "app/MainWindow.h"
#include "app/NumberEdit.h"
#include "filters/FilterPass.h"
#include "platform/MessageBox.h"
#include "platform/PendingMessages.h"

namespace tricala {
namespace {

// The number to look for with digit d in the free position. Works on bytes:
// a byte of a non-ASCII character never equals a digit, so such a text
// finds nothing.
std::string NumberWithFreeDigit(RepeatRule rule, const std::string& s, char d) {
    switch (rule) {
        case RepeatRule::FirstTwo:
            return s.substr(0, 2) + d;
        case RepeatRule::LastTwo:
            return d + s.substr(s.size() < 2 ? 0 : s.size() - 2);
        case RepeatRule::FirstAndThird:
            return std::string(1, s.front()) + d + s.back();
    }
    return {};
}

}  // namespace

void StrikeByFind(MainWindow& w, RepeatRule rule) {
    if (PassRunning(w)) return;
    // Read once: a number typed while the pass runs counts from the next
    // press on, never for some of the ten finds.
    const std::string lastDraw = w.编辑框1->text().toStdString();
    if (lastDraw.empty()) {
        platform::ShowMessage(QStringLiteral("输入框不能为空，请输入上期号码！"));
        return;
    }
    const ExclusivePass pass(w);
    DrawStore& store = *w.store();
    store.GoFirst();
    for (char d = '0'; d <= '9'; ++d) {
        platform::ProcessPendingMessages();
        const std::string wanted = NumberWithFreeDigit(rule, lastDraw, d);
        if (store.FindForward([&] { return store.ReadText(Field::备选号) == wanted; })) {
            StrikeCurrentRecord(store);
            store.Skip();
        }
    }
    store.GoFirst();
    RefreshCandidateList(w);
}

}  // namespace tricala
