#include "package/zip/zip_records.h"

namespace DWFZip {

uint16_t load16(const uint8_t* bytes) {
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

uint32_t load32(const uint8_t* bytes) {
    return uint32_t{bytes[0]} | (uint32_t{bytes[1]} << 8) | (uint32_t{bytes[2]} << 16) |
           (uint32_t{bytes[3]} << 24);
}

void store16(uint8_t* bytes, uint32_t value) {
    bytes[0] = static_cast<uint8_t>(value);
    bytes[1] = static_cast<uint8_t>(value >> 8);
}

void store32(uint8_t* bytes, uint32_t value) {
    store16(bytes, value & 0xFFFFu);
    store16(bytes + 2, value >> 16);
}

void encodeLocalHeader(const LocalHeader& header, uint8_t* out) {
    store32(out, kLocalHeaderSignature);
    store16(out + 4, header.versionNeeded);
    store16(out + 6, header.flags);
    store16(out + 8, header.method);
    store32(out + 10, header.dosDateTime);
    store32(out + 14, header.crc);
    store32(out + 18, header.compressedSize);
    store32(out + 22, header.uncompressedSize);
    store16(out + 26, header.nameLength);
    store16(out + 28, header.extraLength);
}

bool decodeLocalHeader(const uint8_t* in, LocalHeader& header) {
    if (load32(in) != kLocalHeaderSignature) return false;
    header.versionNeeded = load16(in + 4);
    header.flags = load16(in + 6);
    header.method = load16(in + 8);
    header.dosDateTime = load32(in + 10);
    header.crc = load32(in + 14);
    header.compressedSize = load32(in + 18);
    header.uncompressedSize = load32(in + 22);
    header.nameLength = load16(in + 26);
    header.extraLength = load16(in + 28);
    return true;
}

void encodeCentralHeader(const CentralHeader& header, uint8_t* out) {
    store32(out, kCentralHeaderSignature);
    store16(out + 4, header.versionMadeBy);
    store16(out + 6, header.versionNeeded);
    store16(out + 8, header.flags);
    store16(out + 10, header.method);
    store32(out + 12, header.dosDateTime);
    store32(out + 16, header.crc);
    store32(out + 20, header.compressedSize);
    store32(out + 24, header.uncompressedSize);
    store16(out + 28, header.nameLength);
    store16(out + 30, header.extraLength);
    store16(out + 32, header.commentLength);
    store16(out + 34, header.diskNumberStart);
    store16(out + 36, header.internalAttributes);
    store32(out + 38, header.externalAttributes);
    store32(out + 42, header.localHeaderOffset);
}

bool decodeCentralHeader(const uint8_t* in, CentralHeader& header) {
    if (load32(in) != kCentralHeaderSignature) return false;
    header.versionMadeBy = load16(in + 4);
    header.versionNeeded = load16(in + 6);
    header.flags = load16(in + 8);
    header.method = load16(in + 10);
    header.dosDateTime = load32(in + 12);
    header.crc = load32(in + 16);
    header.compressedSize = load32(in + 20);
    header.uncompressedSize = load32(in + 24);
    header.nameLength = load16(in + 28);
    header.extraLength = load16(in + 30);
    header.commentLength = load16(in + 32);
    header.diskNumberStart = load16(in + 34);
    header.internalAttributes = load16(in + 36);
    header.externalAttributes = load32(in + 38);
    header.localHeaderOffset = load32(in + 42);
    return true;
}

void encodeEndRecord(const EndRecord& record, uint8_t* out) {
    store32(out, kEndRecordSignature);
    store16(out + 4, record.diskNumber);
    store16(out + 6, record.directoryDisk);
    store16(out + 8, record.entriesOnDisk);
    store16(out + 10, record.entries);
    store32(out + 12, record.directorySize);
    store32(out + 16, record.directoryOffset);
    store16(out + 20, record.commentLength);
}

bool decodeEndRecord(const uint8_t* in, EndRecord& record) {
    if (load32(in) != kEndRecordSignature) return false;
    record.diskNumber = load16(in + 4);
    record.directoryDisk = load16(in + 6);
    record.entriesOnDisk = load16(in + 8);
    record.entries = load16(in + 10);
    record.directorySize = load32(in + 12);
    record.directoryOffset = load32(in + 16);
    record.commentLength = load16(in + 20);
    return true;
}

}  // namespace DWFZip
