// Helpers of the package tests: library text, the code a call throws, and archives read back.
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
#include "support/thrown_by.h"

namespace packagetest {

inline DWFUtil::String str(const std::string& text) { return DWFUtil::String::fromUtf8(text); }
inline std::u16string wide(const std::string& path) { return platform::utf8ToUtf16(path); }

using testsupport::exitStatus;

using testsupport::thrownBy;

using testsupport::entryContent;
using testsupport::entryNames;
using testsupport::readCurrent;

}  // namespace packagetest

#endif  // DWFPLOT_TESTS_PACKAGE_PACKAGE_TEST_SUPPORT_H
