// Creates the objects of the structural and metadata records (extended ASCII
// and extended binary opcodes that are neither attributes nor drawables).
#ifndef DWFPLOT_W2D_STRUCTURAL_FACTORY_H
#define DWFPLOT_W2D_STRUCTURAL_FACTORY_H

#include <memory>

#include "w2d/object.h"

class WT_Opcode;

// Null when no structural record claims the opcode; the caller then passes
// the opcode over by its framing.
std::unique_ptr<WT_Object> wt_create_structural_object(const WT_Opcode& opcode);

#endif  // DWFPLOT_W2D_STRUCTURAL_FACTORY_H
