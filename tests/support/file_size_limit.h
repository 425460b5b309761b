// Files of this process cannot grow past a size while a FileSizeLimit lives: writes beyond it fail with EFBIG
// instead of killing the process, as SIGXFSZ is ignored meanwhile. The way to test a disk that fills up.
#ifndef DWFPLOT_TESTS_SUPPORT_FILE_SIZE_LIMIT_H
#define DWFPLOT_TESTS_SUPPORT_FILE_SIZE_LIMIT_H

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

namespace testsupport {

struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes) {
        EXPECT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        const rlimit limit{bytes, saved.rlim_max};
        EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    void (*handler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
};

}  // namespace testsupport

#endif  // DWFPLOT_TESTS_SUPPORT_FILE_SIZE_LIMIT_H
