#include "platform/systemlimits.h"

namespace zoltrek {

// A Windows process may hold millions of handles, and its threads get a megabyte of stack
// already: no limit the user sets comes near what the program needs.
bool descriptorsToSpare() {
    return true;
}

bool addressSpaceIsTight() {
    return false;
}

void useSmallThreadStacks() {}

}  // namespace zoltrek
