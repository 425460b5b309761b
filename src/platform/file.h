// Owners and helpers for POSIX files with 64-bit offsets. Every read and write
// loops over short transfers and EINTR, so callers see whole transfers or a
// failure.
#ifndef DWFPLOT_PLATFORM_FILE_H
#define DWFPLOT_PLATFORM_FILE_H

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace platform {

// Owns one file descriptor and closes it on destruction.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release();
    // Closes the descriptor; false when close reported an error (for a file
    // being written, that can mean lost data).
    bool reset(int fd = -1);

private:
    int fd_ = -1;
};

// Owns one stdio stream and closes it on destruction.
class UniqueFile {
public:
    UniqueFile() = default;
    explicit UniqueFile(std::FILE* file) : file_(file) {}
    ~UniqueFile() { reset(); }
    UniqueFile(UniqueFile&& other) noexcept : file_(other.file_) { other.file_ = nullptr; }
    UniqueFile& operator=(UniqueFile&& other) noexcept;
    UniqueFile(const UniqueFile&) = delete;
    UniqueFile& operator=(const UniqueFile&) = delete;

    std::FILE* get() const { return file_; }
    bool valid() const { return file_ != nullptr; }
    bool reset(std::FILE* file = nullptr);

private:
    std::FILE* file_ = nullptr;
};

// Opens an existing file for reading.
UniqueFd openForReading(const std::string& path);

// Reads up to `size` bytes; returns the count read (short only at end of
// file) or -1 on failure.
ssize_t readUpTo(int fd, void* buffer, size_t size);
// Reads exactly `size` bytes at `offset`; false on failure or end of file.
bool readAt(int fd, void* buffer, size_t size, uint64_t offset);
// Writes all `size` bytes; false on failure.
bool writeAll(int fd, const void* buffer, size_t size);
// The size of an open file, or -1.
int64_t fileSize(int fd);
// Moves the file position; returns the new position or -1.
int64_t seekTo(int fd, int64_t offset, int whence);

// Removes a file; true when it is gone (also when it never existed).
bool removeFile(const std::string& path);
bool fileExists(const std::string& path);

}  // namespace platform

#endif  // DWFPLOT_PLATFORM_FILE_H
