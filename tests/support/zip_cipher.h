// The traditional PKWARE cipher, written again here so that the library's
// copy is checked against something it does not share code with.
#ifndef DWFPLOT_TESTS_SUPPORT_ZIP_CIPHER_H
#define DWFPLOT_TESTS_SUPPORT_ZIP_CIPHER_H

#include <cstdint>
#include <string>
#include <utility>

namespace testsupport {

class ZipCipher {
public:
    explicit ZipCipher(const std::string& password) {
        for (char c : password) update(static_cast<uint8_t>(c));
    }
    std::string encrypt(std::string data) { return apply(std::move(data), true); }
    std::string decrypt(std::string data) { return apply(std::move(data), false); }

private:
    // The keys advance with each plain byte.
    std::string apply(std::string data, bool encrypting) {
        for (char& c : data) {
            const uint8_t in = static_cast<uint8_t>(c);
            const uint32_t t = (k_[2] & 0xFFFF) | 2;
            c = static_cast<char>(in ^ static_cast<uint8_t>((t * (t ^ 1)) >> 8));
            update(encrypting ? in : static_cast<uint8_t>(c));
        }
        return data;
    }
    static uint32_t crcByte(uint32_t crc, uint8_t b) {
        crc ^= b;
        for (int i = 0; i < 8; ++i) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        return crc;
    }
    void update(uint8_t b) {
        k_[0] = crcByte(k_[0], b);
        k_[1] = (k_[1] + (k_[0] & 0xFF)) * 134775813u + 1;
        k_[2] = crcByte(k_[2], static_cast<uint8_t>(k_[1] >> 24));
    }
    uint32_t k_[3] = {305419896u, 591751049u, 878082192u};
};

}  // namespace testsupport

#endif  // DWFPLOT_TESTS_SUPPORT_ZIP_CIPHER_H
