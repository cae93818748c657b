#pragma once

namespace zoltrek {

// Whether the process may still open a few files: showing a window or a box takes some of its
// own (the wake-up of a thread the painting starts, a picture shared with the display). With none
// left, the window would be mapped and never drawn, or the toolkit would end the program.
bool descriptorsToSpare();

// Whether the address space the process may take is tight: far under the few hundred megabytes
// the program reaches with the system's font configuration read and threads on the usual stacks.
bool addressSpaceIsTight();

// Threads started from now on get a stack of a megabyte, as on Windows, not the system's usual
// eight: the toolkit waits forever on a thread that could not start.
void useSmallThreadStacks();

}  // namespace zoltrek
