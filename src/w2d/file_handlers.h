// The default input/output handlers: the stream's named file through stdio.
#ifndef DWFPLOT_W2D_FILE_HANDLERS_H
#define DWFPLOT_W2D_FILE_HANDLERS_H

#include <cstdint>

#include "w2d/result.h"

class WT_Stream;

WT_Result::Enum wt_default_open(WT_Stream& stream);
WT_Result::Enum wt_default_close(WT_Stream& stream);
WT_Result::Enum wt_default_read(WT_Stream& stream, int desired, int& bytesRead, void* buffer);
WT_Result::Enum wt_default_seek(WT_Stream& stream, int distance, int& amountSeeked);
WT_Result::Enum wt_default_end_seek(WT_Stream& stream);
WT_Result::Enum wt_default_tell(WT_Stream& stream, uint64_t& position);
WT_Result::Enum wt_default_write(WT_Stream& stream, int size, const void* data);

#endif  // DWFPLOT_W2D_FILE_HANDLERS_H
