#pragma once
// Lets the window handle its queued input and paint while a long pass runs.
// Callers must hold an ExclusivePass (app/ExclusivePass.h) so no handler
// that moves the store's cursor can start inside them.

namespace tricala::platform {

// Handles what is pending. Passes call it once per record; calls that come
// within a millisecond of the last real pass return at once, since nothing
// a person does arrives faster, and a pass over 100,000 records would
// otherwise spend most of its time polling an empty queue.
void ProcessPendingMessages();

}  // namespace tricala::platform
