#include "app/Handlers.h"
#include "app/MainWindow.h"
#include "platform/MessageBox.h"
#include "store/WorkingSet.h"

namespace tricala {

void SaveCandidatesOnExit(MainWindow& w) {
    using namespace platform;
    if (ShowMessage(QStringLiteral("是否保存这次的备选号！"), MessageIcon::None,
                    MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    SaveCandidates(*w.store());
}

}  // namespace tricala
