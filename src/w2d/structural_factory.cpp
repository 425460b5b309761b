#include "w2d/structural_factory.h"

#include "w2d/opcode.h"

// No structural record has an object of its own yet: every such opcode is
// passed over by its framing as an unknown one.
std::unique_ptr<WT_Object> wt_create_structural_object(const WT_Opcode&) { return nullptr; }
