// The 12 bytes in front of the ZIP container of a DWF 6 package.
#ifndef DWFPLOT_PACKAGE_ZIP_DWF_HEADER_H
#define DWFPLOT_PACKAGE_ZIP_DWF_HEADER_H

#include <cstddef>
#include <cstdint>
#include <string>

namespace DWFZip {

inline constexpr size_t kDwfHeaderSize = 12;
// Versions from this one on have a package header; older ones do not.
inline constexpr int32_t kFirstPackageVersion = 600;

// "(DWF V06.00)" for version 600. Empty for a version whose two two-digit
// fields cannot hold it (negative, or 10000 and more): the header has no room
// for more digits.
std::string dwfHeaderText(int32_t version);

}  // namespace DWFZip

#endif  // DWFPLOT_PACKAGE_ZIP_DWF_HEADER_H
