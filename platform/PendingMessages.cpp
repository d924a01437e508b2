#include "platform/PendingMessages.h"

#include <QCoreApplication>
#include <chrono>

namespace tricala::platform {

void ProcessPendingMessages() {
    using Clock = std::chrono::steady_clock;
    static Clock::time_point lastPass{};
    const Clock::time_point now = Clock::now();
    if (now - lastPass < std::chrono::milliseconds(1)) return;
    QCoreApplication::processEvents();
    lastPass = Clock::now();
}

}  // namespace tricala::platform
