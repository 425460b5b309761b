/// @file
/// Result codes of the package and model layers of dwfplot.
///
/// Operations of those layers return these codes for failures of ordinary use
/// and throw the bare code (a DWF::DwfResult::Enum value) when an allocation
/// fails or a precondition is broken. A host meets them as what
/// DWFPlotFileWriter's calls throw (see PlotFileWriter).
#ifndef DWFPLOT_DWFRESULT_H
#define DWFPLOT_DWFRESULT_H

#include <cstdint>

/// The result codes' namespace.
namespace DWF {

/// The result codes; the values are fixed.
struct DwfResult {
    /// One result; negative values are failures.
    enum Enum : int32_t {
        Success = 0,                     ///< Done.
        CorruptData = -1,                ///< The data contradicts itself.
        XmlBuildFailed = -2,             ///< A document is well-formed XML but not the document expected.
        NotFoundInPackage = -3,          ///< An entry the package names is missing.
        FileOpenFailed = -4,             ///< A file cannot be opened or created.
        ReadFailed = -5,                 ///< A read failed.
        WriteFailed = -6,                ///< A write failed (a full disk); the package being written is removed.
        InvalidData = -7,                ///< A value is out of its range or over a size limit.
        InvalidArgument = -8,            ///< A call was given an argument it cannot take.
        XmlParseError = -9,              ///< A document is not well-formed XML.
        UnsupportedPackageVersion = -10, ///< The package's version is not one this library reads.
        ObjectInUse = -12,               ///< The object is busy with another operation.
        OutOfMemory = -13,               ///< An allocation failed.
        TempDirectoryFailed = -15,       ///< The temporary directory cannot be made.
        NoPackageOpen = -16,             ///< The call needs an open package.
        ArchiveEntryError = -17,         ///< An entry of the ZIP container is broken.
        BadPassword = -18,               ///< An encrypted entry cannot be read without its password.
        InvalidState = -21,              ///< The call comes out of order.
        Aborted = -22,                   ///< The operation was stopped.
        NoTempPath = -24,                ///< No temporary path is known.
        UnsupportedVersion = -25,        ///< A document's version is not one this library reads.
        ValueNotSet = -27                ///< A value that was asked for was never set.
    };
};

}  // namespace DWF

#endif  // DWFPLOT_DWFRESULT_H
