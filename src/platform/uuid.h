// Random identifiers for sections and objects.
#ifndef DWFPLOT_PLATFORM_UUID_H
#define DWFPLOT_PLATFORM_UUID_H

#include <cstddef>
#include <cstdint>

namespace platform {

// The fields of a 128-bit identifier as the GUID text forms print them.
struct Uuid {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    uint8_t data4[8] = {};
};

// Fills `buffer` from the kernel's random source; false when it cannot.
bool randomBytes(void* buffer, size_t size);

// A version-4 identifier from 16 random bytes; false (and `uuid` untouched)
// when no random bytes can be had.
bool newUuid(Uuid& uuid);

}  // namespace platform

#endif  // DWFPLOT_PLATFORM_UUID_H
