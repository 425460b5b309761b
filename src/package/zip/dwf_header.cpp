#include "package/zip/dwf_header.h"

#include <cstdio>

namespace DWFZip {

std::string dwfHeaderText(int32_t version) {
    if (version < 0 || version > 9999) return {};
    char text[kDwfHeaderSize + 1];
    std::snprintf(text, sizeof text, "(DWF V%02d.%02d)", static_cast<int>(version / 100),
                  static_cast<int>(version % 100));
    return std::string(text, kDwfHeaderSize);
}

}  // namespace DWFZip
