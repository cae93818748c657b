#pragma once

#include <functional>

namespace zoltrek {

// Runs `work` on a thread of its own while this thread goes on painting the windows and running
// their timers, so a long write of the journal never leaves a window frozen or blank. The user's
// clicks and keys wait until the work is done: nothing can act on a journal halfway written. Where
// the system starts no thread, the work runs here, as before.
void runWhilePainting(const std::function<void()>& work);

}  // namespace zoltrek
