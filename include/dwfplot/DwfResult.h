// Result codes of the package and model layers of dwfplot.
//
// Operations of those layers return these codes for failures of ordinary use
// and throw the bare code (a DWF::DwfResult::Enum value) when an allocation
// fails or a precondition is broken.
#ifndef DWFPLOT_DWFRESULT_H
#define DWFPLOT_DWFRESULT_H

#include <cstdint>

namespace DWF {

struct DwfResult {
    enum Enum : int32_t {
        Success = 0,
        CorruptData = -1,
        XmlBuildFailed = -2,
        NotFoundInPackage = -3,
        FileOpenFailed = -4,
        ReadFailed = -5,
        WriteFailed = -6,
        InvalidData = -7,
        InvalidArgument = -8,
        XmlParseError = -9,
        UnsupportedPackageVersion = -10,
        ObjectInUse = -12,
        OutOfMemory = -13,
        TempDirectoryFailed = -15,
        NoPackageOpen = -16,
        ArchiveEntryError = -17,
        BadPassword = -18,
        InvalidState = -21,
        Aborted = -22,
        NoTempPath = -24,
        UnsupportedVersion = -25,
        ValueNotSet = -27
    };
};

}  // namespace DWF

#endif  // DWFPLOT_DWFRESULT_H
