#include <fcntl.h>
#include <pthread.h>
#include <sys/resource.h>
#include <unistd.h>

#include <array>

#include "platform/systemlimits.h"

namespace zoltrek {

namespace {
// Enough for a few painting threads and the display's shared pictures; a program under the
// usual limits has hundreds more.
constexpr int kDescriptorsToShow = 8;

// The program peaks near 400 MB of address space, most of it thread stacks and the libraries.
constexpr rlim_t kTightAddressSpace = rlim_t{1} << 30;
constexpr size_t kSmallStack = size_t{1} << 20;
}  // namespace

bool descriptorsToSpare() {
    std::array<int, kDescriptorsToShow> taken{};
    int count = 0;
    for (; count < kDescriptorsToShow; count += 2)
        if (pipe2(&taken[count], O_CLOEXEC) != 0)
            break;
    for (int i = 0; i < count; ++i)
        close(taken[i]);
    return count == kDescriptorsToShow;
}

bool addressSpaceIsTight() {
    rlimit limit{};
    return getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
           limit.rlim_cur < kTightAddressSpace;
}

void useSmallThreadStacks() {
    pthread_attr_t attributes;
    if (pthread_getattr_default_np(&attributes) != 0)
        return;
    if (pthread_attr_setstacksize(&attributes, kSmallStack) == 0)
        pthread_setattr_default_np(&attributes);
    pthread_attr_destroy(&attributes);
}

}  // namespace zoltrek
