#include "support/temp_dir_test.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace testsupport {
namespace fs = std::filesystem;

namespace {
std::string makeDirectory(const char* pattern) {
    const char* base = std::getenv("TMPDIR");
    std::string path = std::string(base && *base ? base : "/tmp") + "/" + pattern;
    if (!::mkdtemp(path.data())) return {};
    return path + "/";
}
}  // namespace

std::vector<std::string> listTree(const std::string& directory) {
    std::vector<std::string> out;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(directory, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        out.push_back(it->path().string());
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot read " << path;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const std::string& bytes) {
    // A new file: the file system flushes one truncated and rewritten, which cost tests that rewrite a path
    // thousands of times most of their run.
    std::remove(path.c_str());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    EXPECT_TRUE(out.good()) << "cannot write " << path;
}

std::string hex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 0xF];
    }
    return out;
}

void TempDirTest::SetUp() {
    const char* old = std::getenv("TMPDIR");
    hadTmpdir_ = old != nullptr;
    if (old) savedTmpdir_ = old;
    dir_ = makeDirectory("plottest-tmp-XXXXXX");
    work_ = makeDirectory("plottest-work-XXXXXX");
    ASSERT_FALSE(dir_.empty());
    ASSERT_FALSE(work_.empty());
    ::setenv("TMPDIR", dir_.c_str(), 1);
}

void TempDirTest::TearDown() {
    if (hadTmpdir_) {
        ::setenv("TMPDIR", savedTmpdir_.c_str(), 1);
    } else {
        ::unsetenv("TMPDIR");
    }
    if (!dir_.empty()) {
        const std::vector<std::string> left = listTree(dir_);
        EXPECT_TRUE(left.empty()) << "left behind in TMPDIR: " << ::testing::PrintToString(left);
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    if (!work_.empty()) {
        std::error_code ec;
        fs::remove_all(work_, ec);
    }
}

}  // namespace testsupport
