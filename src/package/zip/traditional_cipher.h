// The traditional PKWARE stream cipher of ZIP entries: three 32-bit keys
// driven by the password and then by each plain byte, through the CRC-32
// table. Weak by today's measure; supported for packages from elsewhere and
// for callers that pass a password.
#ifndef DWFPLOT_PACKAGE_ZIP_TRADITIONAL_CIPHER_H
#define DWFPLOT_PACKAGE_ZIP_TRADITIONAL_CIPHER_H

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace DWFZip {

class TraditionalCipher {
public:
    explicit TraditionalCipher(std::string_view password);

    void encrypt(uint8_t* bytes, size_t count);
    void decrypt(uint8_t* bytes, size_t count);

private:
    uint8_t keystreamByte() const;
    void updateKeys(uint8_t plain);

    uint32_t keys_[3];
};

// The 12 plain bytes in front of an encrypted entry: ten random bytes, then
// the low and the high byte of the entry's DOS time (the check byte that
// unzip compares when the entry has a data descriptor).
void makeEncryptionHeader(uint8_t* header, uint32_t dosDateTime);

}  // namespace DWFZip

#endif  // DWFPLOT_PACKAGE_ZIP_TRADITIONAL_CIPHER_H
