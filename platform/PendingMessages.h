#pragma once
// Lets the window handle its queued input and paint while a long pass runs.
// Callers must hold an ExclusivePass (app/ExclusivePass.h) so no handler
// that moves the store's cursor can start inside them.

namespace tricala::platform {

void ProcessPendingMessages();

}  // namespace tricala::platform
