#include "platform/PendingMessages.h"

#include <QCoreApplication>

namespace tricala::platform {

void ProcessPendingMessages() { QCoreApplication::processEvents(); }

}  // namespace tricala::platform
