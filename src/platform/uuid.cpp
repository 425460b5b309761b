#include "platform/uuid.h"

#include <sys/random.h>

#include <cerrno>

namespace platform {

bool randomBytes(void* buffer, size_t size) {
    auto* out = static_cast<unsigned char*>(buffer);
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::getrandom(out + done, size - done, 0);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

bool newUuid(Uuid& uuid) {
    unsigned char b[16];
    if (!randomBytes(b, sizeof b)) return false;
    b[6] = static_cast<unsigned char>((b[6] & 0x0F) | 0x40);  // version 4
    b[8] = static_cast<unsigned char>((b[8] & 0x3F) | 0x80);  // RFC 4122 variant
    uuid.data1 = (uint32_t{b[0]} << 24) | (uint32_t{b[1]} << 16) | (uint32_t{b[2]} << 8) | b[3];
    uuid.data2 = static_cast<uint16_t>((b[4] << 8) | b[5]);
    uuid.data3 = static_cast<uint16_t>((b[6] << 8) | b[7]);
    for (int i = 0; i < 8; ++i) uuid.data4[i] = b[8 + i];
    return true;
}

}  // namespace platform
