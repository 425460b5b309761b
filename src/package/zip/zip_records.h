// The ZIP records this library writes and reads, their fixed sizes and
// signatures, and little-endian field access. Variable parts (name, extra
// field, comment) follow each fixed part and are handled by the callers.
#ifndef DWFPLOT_PACKAGE_ZIP_ZIP_RECORDS_H
#define DWFPLOT_PACKAGE_ZIP_ZIP_RECORDS_H

#include <cstddef>
#include <cstdint>

namespace DWFZip {

inline constexpr uint32_t kLocalHeaderSignature = 0x04034B50u;
inline constexpr uint32_t kCentralHeaderSignature = 0x02014B50u;
inline constexpr uint32_t kEndRecordSignature = 0x06054B50u;
inline constexpr uint32_t kDataDescriptorSignature = 0x08074B50u;

inline constexpr size_t kLocalHeaderSize = 30;
inline constexpr size_t kCentralHeaderSize = 46;
inline constexpr size_t kEndRecordSize = 22;
inline constexpr size_t kEncryptionHeaderSize = 12;
inline constexpr size_t kDataDescriptorSize = 16;
// Where CRC and sizes sit in a local header; rewritten when an entry closes.
inline constexpr size_t kLocalCrcOffset = 14;

inline constexpr uint16_t kZipVersion = 20;
inline constexpr uint16_t kMethodStored = 0;
inline constexpr uint16_t kMethodDeflated = 8;
inline constexpr uint16_t kFlagEncrypted = 0x0001;
inline constexpr uint16_t kFlagDataDescriptor = 0x0008;

// Values that stand for "see the ZIP64 record", which this container does
// not support: no count, size or offset may reach them.
inline constexpr uint32_t kZip64Marker = 0xFFFFFFFFu;
inline constexpr uint16_t kZip64CountMarker = 0xFFFFu;

// Entry data moves through buffers of this size in both directions.
inline constexpr size_t kTransferBufferSize = 16384;

uint16_t load16(const uint8_t* bytes);
uint32_t load32(const uint8_t* bytes);
void store16(uint8_t* bytes, uint32_t value);
void store32(uint8_t* bytes, uint32_t value);

struct LocalHeader {
    uint16_t versionNeeded = kZipVersion;
    uint16_t flags = 0;
    uint16_t method = kMethodDeflated;
    uint32_t dosDateTime = 0;  // date << 16 | time
    uint32_t crc = 0;
    uint32_t compressedSize = 0;
    uint32_t uncompressedSize = 0;
    uint16_t nameLength = 0;
    uint16_t extraLength = 0;
};

struct CentralHeader {
    uint16_t versionMadeBy = kZipVersion;
    uint16_t versionNeeded = kZipVersion;
    uint16_t flags = 0;
    uint16_t method = kMethodDeflated;
    uint32_t dosDateTime = 0;
    uint32_t crc = 0;
    uint32_t compressedSize = 0;
    uint32_t uncompressedSize = 0;
    uint16_t nameLength = 0;
    uint16_t extraLength = 0;
    uint16_t commentLength = 0;
    uint16_t diskNumberStart = 0;
    uint16_t internalAttributes = 0;
    uint32_t externalAttributes = 0;
    uint32_t localHeaderOffset = 0;

    // The record with its name, extra field and comment.
    uint64_t recordSize() const {
        return kCentralHeaderSize + uint64_t{nameLength} + extraLength + commentLength;
    }
};

struct EndRecord {
    uint16_t diskNumber = 0;
    uint16_t directoryDisk = 0;
    uint16_t entriesOnDisk = 0;
    uint16_t entries = 0;
    uint32_t directorySize = 0;
    uint32_t directoryOffset = 0;
    uint16_t commentLength = 0;
};

// Encoders write the fixed part, signature included; decoders return false
// when the signature is not there.
void encodeLocalHeader(const LocalHeader& header, uint8_t* out);
bool decodeLocalHeader(const uint8_t* in, LocalHeader& header);
void encodeCentralHeader(const CentralHeader& header, uint8_t* out);
bool decodeCentralHeader(const uint8_t* in, CentralHeader& header);
void encodeEndRecord(const EndRecord& record, uint8_t* out);
bool decodeEndRecord(const uint8_t* in, EndRecord& record);

}  // namespace DWFZip

#endif  // DWFPLOT_PACKAGE_ZIP_ZIP_RECORDS_H
