// The lock that guards the package reader's state word.
#ifndef DWFPLOT_PLATFORM_LOCK_H
#define DWFPLOT_PLATFORM_LOCK_H

#include <mutex>

namespace platform {

using Lock = std::mutex;
using LockGuard = std::lock_guard<std::mutex>;

}  // namespace platform

#endif  // DWFPLOT_PLATFORM_LOCK_H
