// A fixture for tests that touch files: TMPDIR points to a fresh empty
// directory for the test, and the test fails if anything is left in it.
#ifndef DWFPLOT_TESTS_SUPPORT_TEMP_DIR_TEST_H
#define DWFPLOT_TESTS_SUPPORT_TEMP_DIR_TEST_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace testsupport {

// Every path below `directory` (files and directories), sorted.
std::vector<std::string> listTree(const std::string& directory);

// Reads or writes a whole file; the test fails when that is not possible.
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

// Upper-case hex of bytes, two digits each, no separators.
std::string hex(const std::string& bytes);

class TempDirTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The test's TMPDIR, ending with '/'.
    const std::string& tempDir() const { return dir_; }
    // A scratch directory for the test's own inputs and outputs, outside
    // TMPDIR so that it does not count as a leftover of the library.
    const std::string& workDir() const { return work_; }

private:
    std::string dir_, work_, savedTmpdir_;
    bool hadTmpdir_ = false;
};

}  // namespace testsupport

#endif  // DWFPLOT_TESTS_SUPPORT_TEMP_DIR_TEST_H
