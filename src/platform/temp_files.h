// Temporary files. Every writer and package reader keeps its files in a
// private directory of its own, made with mkdtemp; files are created
// exclusively (never "check that the name is free, then create") and never
// through a symbolic link, so no other process can own, replace or redirect
// them.
#ifndef DWFPLOT_PLATFORM_TEMP_FILES_H
#define DWFPLOT_PLATFORM_TEMP_FILES_H

#include <string>
#include <string_view>
#include <vector>

#include "platform/file.h"

namespace platform {

// $TMPDIR when set and not empty, else "/tmp"; always ends with '/'.
std::string temporaryPath();

// An extension a temporary copy may take from an entry name: 1 to 16
// characters of [A-Za-z0-9_]. Anything else could steer a path.
bool isSafeExtension(std::string_view extension);

// A fresh random name of 16 lower-case hex digits.
std::string uniqueName();

// Creates exactly `path` with O_CREAT|O_EXCL|O_NOFOLLOW and mode 0600: an
// existing file or a symbolic link at that name makes it fail.
UniqueFd createNewFile(const std::string& path);

// Creates `<directory><prefix><unique>[.<extension>]` with
// O_CREAT|O_EXCL|O_NOFOLLOW and mode 0600, retrying on a name that exists.
// `directory` ends with '/'. An extension that is not safe is dropped.
// On failure the descriptor is invalid and `path` empty.
UniqueFd createExclusiveFile(const std::string& directory, std::string_view prefix,
                             std::string_view extension, std::string& path);

// A directory of one owner under the temporary path, removed with its files
// when the owner goes.
class PrivateDirectory {
public:
    PrivateDirectory() = default;
    ~PrivateDirectory();
    PrivateDirectory(PrivateDirectory&& other) noexcept;
    PrivateDirectory& operator=(PrivateDirectory&& other) noexcept;
    PrivateDirectory(const PrivateDirectory&) = delete;
    PrivateDirectory& operator=(const PrivateDirectory&) = delete;

    // Makes the directory (once); false when it cannot be made.
    bool create();
    bool exists() const { return !path_.empty(); }
    // The directory, ending with '/'; empty before create().
    const std::string& path() const { return path_; }

    // Creates a new file in the directory and records it for removal.
    UniqueFd createFile(std::string_view extension, std::string& path);
    // Removes a recorded file now; false when removal failed.
    bool removeFile(const std::string& path);
    // Removes every recorded file and the directory itself.
    void removeAll();

    const std::vector<std::string>& files() const { return files_; }

private:
    std::string path_;
    std::vector<std::string> files_;
};

}  // namespace platform

#endif  // DWFPLOT_PLATFORM_TEMP_FILES_H
