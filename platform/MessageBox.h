#pragma once
// Every message box of the program goes through here: task-modal, no owner,
// title "信息：". Tests queue answers in advance so no box ever blocks them.

#include <QString>
#include <vector>

namespace tricala::platform {

enum class MessageIcon { None, Stop };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

struct ShownMessage {
    QString text;
    MessageIcon icon;
    MessageButtons buttons;
};

MessageAnswer ShowMessage(const QString& text, MessageIcon icon = MessageIcon::None,
                          MessageButtons buttons = MessageButtons::Ok);

// Test seam. While answers are queued (or auto-answer is on), no box is
// shown: the next queued answer is returned and the message is recorded.
void QueueMessageAnswer(MessageAnswer answer);
void SetAutoAnswer(bool on, MessageAnswer answer = MessageAnswer::Ok);
const std::vector<ShownMessage>& ShownMessages();
void ClearShownMessages();

}  // namespace tricala::platform
