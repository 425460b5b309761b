#include "plotfile/reader_host_messages.h"

#include "dwfplot/PlotFile.h"

namespace DWFPlotReader {

const char* hostMessage(DWF::DwfResult::Enum code) {
    switch (static_cast<int32_t>(code)) {
        case -1: return PLT_CORRUPT_FILE_ERROR;
        case -2: return PLT_BUILDING_XML_OBJECT_ERROR;
        case -3: return PLT_FILE_NOT_IN_DWF;
        case -4: return PLT_FILE_OPEN_ERROR;
        case -5: return PLT_FILE_READ_ERROR;
        case -6: return PLT_FILE_WRITE_ERROR;
        case -7: return PLT_INTERNAL_ERROR;
        case -9: return PLT_INVALID_XML_CONTENT_ERROR;
        // A package of a version this library does not write is not one of ours.
        case -10:
        case -11: return PLT_NOT_A_KESTRA_GENERATED_FILE;
        case -13: return PLT_OUT_OF_MEMORY_ERROR;
        case -15: return PLT_TEMP_FILE_ERROR;
        case -16: return PLT_TOOLKIT_USAGE_ERROR;
        case -17: return PLT_ZIPLIB_ERROR;
        case -18: return PLT_BAD_PASSWORD_ERROR;
        case -21: return PLT_STREAM_IN_PROGRESS;
        case -22: return PLT_USER_REQUESTED_ABORT;
        case -23: return PLT_UNSUPPORTED_FILE_TYPE_ERROR;
        case -24: return PLT_TEMP_PATH_ERROR;
        default: return PLT_GENERAL_ERROR;
    }
}

}  // namespace DWFPlotReader
