#include "package/zip/traditional_cipher.h"

#include <zlib.h>

#include <chrono>
#include <random>

#include "package/zip/zip_records.h"
#include "platform/uuid.h"

namespace DWFZip {
namespace {

uint32_t crc32Step(uint32_t crc, uint8_t byte) {
    static const z_crc_t* const table = get_crc_table();
    return static_cast<uint32_t>(table[(crc ^ byte) & 0xFFu]) ^ (crc >> 8);
}

// Used only when the kernel gives no random bytes: a generator of this
// header's own, so the host's rand() sequence is never disturbed.
void fallbackRandomBytes(uint8_t* out, size_t count) {
    std::minstd_rand generator(
        static_cast<std::minstd_rand::result_type>(
            std::chrono::steady_clock::now().time_since_epoch().count()));
    for (size_t i = 0; i < count; ++i) {
        const uint32_t value = static_cast<uint32_t>(generator());
        const uint32_t middle = (value >> 6) & 0xFFu;
        out[i] = static_cast<uint8_t>(middle != 0 ? middle : value & 0xFFu);
    }
}

}  // namespace

TraditionalCipher::TraditionalCipher(std::string_view password)
    : keys_{0x12345678u, 0x23456789u, 0x34567890u} {
    for (const char c : password) updateKeys(static_cast<uint8_t>(c));
}

uint8_t TraditionalCipher::keystreamByte() const {
    const uint32_t temp = (keys_[2] & 0xFFFFu) | 2u;
    return static_cast<uint8_t>((temp * (temp ^ 1u)) >> 8);
}

void TraditionalCipher::updateKeys(uint8_t plain) {
    keys_[0] = crc32Step(keys_[0], plain);
    keys_[1] = (keys_[1] + (keys_[0] & 0xFFu)) * 134775813u + 1u;
    keys_[2] = crc32Step(keys_[2], static_cast<uint8_t>(keys_[1] >> 24));
}

void TraditionalCipher::encrypt(uint8_t* bytes, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const uint8_t plain = bytes[i];
        bytes[i] = static_cast<uint8_t>(plain ^ keystreamByte());
        updateKeys(plain);
    }
}

void TraditionalCipher::decrypt(uint8_t* bytes, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<uint8_t>(bytes[i] ^ keystreamByte());
        updateKeys(bytes[i]);
    }
}

void makeEncryptionHeader(uint8_t* header, uint32_t dosDateTime) {
    constexpr size_t kRandomCount = kEncryptionHeaderSize - 2;
    if (!platform::randomBytes(header, kRandomCount)) fallbackRandomBytes(header, kRandomCount);
    header[kRandomCount] = static_cast<uint8_t>(dosDateTime);
    header[kRandomCount + 1] = static_cast<uint8_t>(dosDateTime >> 8);
}

}  // namespace DWFZip
