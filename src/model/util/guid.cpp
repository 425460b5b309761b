#include "model/util/guid.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iterator>
#include <mutex>

namespace DWFUtil {
namespace {

// Without the kernel's random source, the identifier is made from the
// millisecond clock and the runtime's generator, seeded once with 0. The
// generator is process-wide state: writers on several threads seed and draw
// under one lock, so none starts the sequence again under another's feet.
platform::Uuid tickUuid() {
    static std::mutex generatorLock;
    static bool seeded = false;
    uint8_t random[8];
    {
        const std::lock_guard<std::mutex> lock(generatorLock);
        if (!seeded) {
            std::srand(0);
            seeded = true;
        }
        for (uint8_t& byte : random) byte = static_cast<uint8_t>(std::rand() & 0xFF);
    }
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const auto ticks = static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000 +
                                             static_cast<uint64_t>(now.tv_nsec) / 1000000);
    platform::Uuid uuid;
    uuid.data1 = ticks >> 16;
    uuid.data2 = static_cast<uint16_t>((ticks >> 8) & 0xFFFF);
    uuid.data3 = static_cast<uint16_t>(ticks & 0xFFFF);
    std::copy(std::begin(random), std::end(random), uuid.data4);
    return uuid;
}

}  // namespace

String formatGuid(const platform::Uuid& u, bool compact) {
    char text[40];
    const uint8_t* b = u.data4;
    if (compact) {
        std::snprintf(text, sizeof text, "%02X%02X%02X%02X%02X%02X%02X%02X%04X%04X%08X", b[7], b[6],
                      b[5], b[4], b[3], b[2], b[1], b[0], u.data3, u.data2, u.data1);
    } else {
        std::snprintf(text, sizeof text, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X", u.data1,
                      u.data2, u.data3, b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7]);
    }
    return String(text, true);
}

String createGuidString(bool compact) {
    platform::Uuid uuid;
    if (!platform::newUuid(uuid)) return createClockGuidString(compact);
    return formatGuid(uuid, compact);
}

String createClockGuidString(bool compact) { return formatGuid(tickUuid(), compact); }

}  // namespace DWFUtil
