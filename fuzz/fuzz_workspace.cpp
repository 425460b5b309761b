#include "fuzz_workspace.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fuzz {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "fuzz workspace: %s\n", what.c_str());
    std::abort();
}

struct Workspace {
    fs::path base;
    fs::path temporary;
    fs::path work;
    fs::path input;

    Workspace() {
        const char* outer = std::getenv("TMPDIR");
        std::string pattern = (outer != nullptr && *outer != '\0') ? outer : "/tmp";
        pattern += "/dwfplot-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) fail("cannot make " + pattern);
        base = pattern;
        temporary = base / "tmp";
        work = base / "work";
        input = base / "input";
        std::error_code error;
        for (const fs::path& dir : {temporary, work, input}) {
            if (!fs::create_directory(dir, error)) fail("cannot make " + dir.string());
        }
        if (setenv("TMPDIR", temporary.c_str(), 1) != 0) fail("cannot set TMPDIR");
    }

    // Only a normal exit gets here; the directory was ours from mkdtemp.
    ~Workspace() {
        std::error_code error;
        fs::remove_all(base, error);
    }
};

Workspace& workspace() {
    static Workspace instance;
    return instance;
}

void requireEmpty(const fs::path& dir) {
    std::error_code error;
    fs::directory_iterator it(dir, error);
    if (error) fail("cannot list " + dir.string());
    if (it != fs::directory_iterator()) fail("left behind: " + it->path().string());
}

}  // namespace

void enterWorkspace() { workspace(); }

InWorkDirectory::InWorkDirectory() : previous_(open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (previous_ < 0) fail("cannot open the current directory");
    if (chdir(workspace().work.c_str()) != 0) fail("cannot enter " + workspace().work.string());
}

InWorkDirectory::~InWorkDirectory() {
    if (fchdir(previous_) != 0) fail("cannot return to the starting directory");
    close(previous_);
}

std::string writeInputFile(const uint8_t* data, size_t size, const char* name) {
    const std::string path = (workspace().input / name).string();
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) fail("cannot create " + path);
    size_t done = 0;
    while (done < size) {
        const ssize_t n = write(fd, data + done, size - done);
        if (n <= 0) fail("cannot write " + path);
        done += static_cast<size_t>(n);
    }
    if (close(fd) != 0) fail("cannot close " + path);
    return path;
}

void removeInputFile(const std::string& path) {
    if (unlink(path.c_str()) != 0) fail("cannot remove " + path);
}

void requireNothingLeft() {
    requireEmpty(workspace().temporary);
    requireEmpty(workspace().work);
}

}  // namespace fuzz
