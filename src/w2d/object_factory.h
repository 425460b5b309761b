// Creates the object an opcode stands for.
#ifndef DWFPLOT_W2D_OBJECT_FACTORY_H
#define DWFPLOT_W2D_OBJECT_FACTORY_H

#include <memory>

#include "w2d/object.h"

class WT_Opcode;
class WT_Stream;

// Null with `result` set when no object kind claims the opcode.
std::unique_ptr<WT_Object> wt_create_object(const WT_Opcode& opcode, WT_Stream& stream, WT_Result::Enum& result);

#endif  // DWFPLOT_W2D_OBJECT_FACTORY_H
