#include "platform/MessageBox.h"

#include <QMessageBox>
#include <deque>

namespace tricala::platform {
namespace {
std::deque<MessageAnswer> queued;
bool autoAnswer = false;
MessageAnswer autoValue = MessageAnswer::Ok;
std::vector<ShownMessage> shown;
}  // namespace

MessageAnswer ShowMessage(const QString& text, MessageIcon icon, MessageButtons buttons) {
    shown.push_back({text, icon, buttons});
    if (!queued.empty()) {
        MessageAnswer answer = queued.front();
        queued.pop_front();
        return answer;
    }
    if (autoAnswer) return autoValue;

    QMessageBox box(icon == MessageIcon::Stop ? QMessageBox::Critical : QMessageBox::NoIcon,
                    QStringLiteral("信息："), text,
                    buttons == MessageButtons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                                     : QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    const int result = box.exec();
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    return result == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void QueueMessageAnswer(MessageAnswer answer) { queued.push_back(answer); }

void SetAutoAnswer(bool on, MessageAnswer answer) {
    autoAnswer = on;
    autoValue = answer;
}

const std::vector<ShownMessage>& ShownMessages() { return shown; }

void ClearShownMessages() {
    shown.clear();
    queued.clear();
}

}  // namespace tricala::platform
