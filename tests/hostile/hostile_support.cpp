#include "hostile_support.h"

#include <sys/resource.h>

// Present only in a program built with AddressSanitizer.
extern "C" void __asan_init() __attribute__((weak));

namespace hostile {

void HostileTest::expectBoundedMemory() {
    if (__asan_init != nullptr) return;
    rusage usage{};
    ASSERT_EQ(::getrusage(RUSAGE_SELF, &usage), 0);
    EXPECT_LT(usage.ru_maxrss, 256L * 1024) << "peak resident size in KiB";
}

}  // namespace hostile
