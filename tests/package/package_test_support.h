// Helpers of the package tests: library text and paths, with the shared byte, archive and file helpers.
#ifndef DWFPLOT_TESTS_PACKAGE_PACKAGE_TEST_SUPPORT_H
#define DWFPLOT_TESTS_PACKAGE_PACKAGE_TEST_SUPPORT_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dwfplot/DwfResult.h"
#include "model/util/string.h"
#include "package/zip/archive_reader.h"
#include "platform/unicode.h"
#include "support/bytes.h"
#include "support/package_builder.h"
#include "support/temp_dir_test.h"
#include "support/thrown_by.h"

namespace packagetest {

inline DWFUtil::String str(const std::string& text) { return DWFUtil::String::fromUtf8(text); }
inline std::u16string wide(const std::string& path) { return platform::utf8ToUtf16(path); }

// The tests' byte, archive, file and failure helpers come with it.
using namespace testsupport;

}  // namespace packagetest

#endif  // DWFPLOT_TESTS_PACKAGE_PACKAGE_TEST_SUPPORT_H
