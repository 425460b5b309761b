// Decodes one user-data record of a page stream into the operation record:
// the record's description word says what it is, its payload carries the
// data in the layout of plotfile/records.
#ifndef DWFPLOT_PLOTFILE_READER_USER_DATA_H
#define DWFPLOT_PLOTFILE_READER_USER_DATA_H

#include <string_view>

#include "plotfile/reader_operation_record.h"

namespace DWFPlotReader {

// A description that names no record, and a record whose payload does not
// parse, reset the pending code and change nothing else.
void applyUserData(OperationRecord& record, std::string_view description, std::string_view payload);

}  // namespace DWFPlotReader

#endif  // DWFPLOT_PLOTFILE_READER_USER_DATA_H
