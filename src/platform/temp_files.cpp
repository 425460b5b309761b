#include "platform/temp_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <iterator>
#include <atomic>
#include <cstdint>
#include <ctime>
#include <cerrno>
#include <cstdlib>

#include "platform/debug_output.h"
#include "platform/uuid.h"

namespace platform {
namespace {

constexpr int kCreateAttempts = 64;

bool isExtensionChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

}  // namespace

std::string temporaryPath() {
    const char* dir = std::getenv("TMPDIR");
    std::string path = (dir && *dir) ? dir : "/tmp";
    if (path.back() != '/') path += '/';
    return path;
}

bool isSafeExtension(std::string_view extension) {
    return !extension.empty() && extension.size() <= 16 &&
           std::all_of(extension.begin(), extension.end(), isExtensionChar);
}

std::string uniqueName() {
    static const char digits[] = "0123456789abcdef";
    unsigned char bytes[8] = {};
    if (!randomBytes(bytes, sizeof bytes)) {
        // Without the kernel's random source the names still differ: a clock
        // and a counter, and exclusive creation catches any clash.
        static std::atomic<uint64_t> counter{0};
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        const uint64_t mix = static_cast<uint64_t>(now.tv_nsec) ^
                             (static_cast<uint64_t>(now.tv_sec) << 30) ^ (++counter << 48) ^
                             static_cast<uint64_t>(::getpid());
        for (int i = 0; i < 8; ++i) bytes[i] = static_cast<unsigned char>(mix >> (8 * i));
    }
    std::string name;
    for (unsigned char b : bytes) {
        name += digits[b >> 4];
        name += digits[b & 0xF];
    }
    return name;
}

UniqueFd createNewFile(const std::string& path) {
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    } while (fd < 0 && errno == EINTR);
    return UniqueFd(fd);
}

UniqueFd createExclusiveFile(const std::string& directory, std::string_view prefix,
                             std::string_view extension, std::string& path) {
    path.clear();
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        std::string candidate = directory;
        candidate.append(prefix);
        candidate += uniqueName();
        if (isSafeExtension(extension)) {
            candidate += '.';
            candidate.append(extension);
        }
        UniqueFd fd = createNewFile(candidate);
        if (fd.valid()) {
            path = std::move(candidate);
            return fd;
        }
        if (errno != EEXIST) break;
    }
    return UniqueFd();
}

PrivateDirectory::~PrivateDirectory() { removeAll(); }

PrivateDirectory::PrivateDirectory(PrivateDirectory&& other) noexcept
    : path_(std::move(other.path_)), files_(std::move(other.files_)) {
    other.path_.clear();
    other.files_.clear();
}

PrivateDirectory& PrivateDirectory::operator=(PrivateDirectory&& other) noexcept {
    if (this != &other) {
        removeAll();
        path_ = std::move(other.path_);
        files_ = std::move(other.files_);
        other.path_.clear();
        other.files_.clear();
    }
    return *this;
}

bool PrivateDirectory::create() {
    if (exists()) return true;
    std::string pattern = temporaryPath() + "dwfplot-XXXXXX";
    // Room for the slash first: nothing may fail once the directory exists.
    pattern.reserve(pattern.size() + 1);
    if (!::mkdtemp(pattern.data())) {
        debugOutput("dwfplot: cannot create a private directory under " + temporaryPath());
        return false;
    }
    pattern += '/';
    path_ = std::move(pattern);
    return true;
}

UniqueFd PrivateDirectory::createFile(std::string_view extension, std::string& path) {
    path.clear();
    if (!create()) return UniqueFd();
    // The room grows by doubling, so a directory of many files costs no
    // copying per file; the copy of the name may still fail, and then the
    // file goes again rather than stay unrecorded.
    if (files_.size() == files_.capacity()) files_.reserve(files_.size() * 2 + 16);
    UniqueFd fd = createExclusiveFile(path_, "", extension, path);
    if (!fd.valid()) return fd;
    try {
        files_.push_back(path);
    } catch (...) {
        fd.reset();
        ::unlink(path.c_str());
        path.clear();
        throw;
    }
    return fd;
}

// Files go newest first, so the search starts from the newest.
bool PrivateDirectory::removeFile(const std::string& path) {
    const auto it = std::find(files_.rbegin(), files_.rend(), path);
    if (it == files_.rend()) return false;
    if (!platform::removeFile(path)) {
        debugOutput("dwfplot: cannot delete temporary file " + path);
        return false;
    }
    files_.erase(std::next(it).base());
    return true;
}

void PrivateDirectory::removeAll() {
    for (const std::string& file : files_) {
        if (!platform::removeFile(file)) debugOutput("dwfplot: cannot delete temporary file " + file);
    }
    files_.clear();
    if (!path_.empty() && ::rmdir(path_.c_str()) != 0) {
        debugOutput("dwfplot: cannot remove temporary directory " + path_);
    }
    path_.clear();
}

}  // namespace platform
