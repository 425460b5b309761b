#include "w2d/structural_factory.h"

#include <string_view>

#include "w2d/block_record.h"
#include "w2d/drawing_records.h"
#include "w2d/framed_record.h"
#include "w2d/group.h"
#include "w2d/metadata.h"
#include "w2d/opcode.h"
#include "w2d/view.h"

namespace {
using Maker = std::unique_ptr<WT_Object> (*)();

template <class T>
std::unique_ptr<WT_Object> make() {
    return std::make_unique<T>();
}

struct Named_Record {
    std::string_view token;
    Maker maker;
};

constexpr Named_Record Named_Records[] = {
    {"(Background", make<WT_Background>},
    {"(View", make<WT_View>},
    {"(NamedView", make<WT_Named_View>},
    {"(PlotOptimized", make<WT_Plot_Optimized>},
    {"(InkedArea", make<WT_Inked_Area>},
    {"(PenPat_Options", make<WT_Pen_Pattern_Options>},
    {"(Projection", make<WT_Projection>},
    {"(PlotInfo", make<WT_Plot_Info>},
    {"(GroupBegin", make<WT_Group>},
    {"(GroupEnd", make<WT_Group>},
    {"(Embed", make<WT_Embed>},
    {"(Embedded_Font", make<WT_Embedded_Font>},
    {"(TrustedFontList", make<WT_Trusted_Font_List>},
    {"(Gouraud", make<WT_Gouraud_Record>},
    {"(GourLine", make<WT_Gouraud_Record>},
};

constexpr uint16_t Embedded_Font_Opcode = 318;
}  // namespace

std::unique_ptr<WT_Object> wt_create_structural_object(const WT_Opcode& opcode) {
    WT_Block_Record::WT_Kind block = WT_Block_Record::Block_Meaning;
    if (WT_Block_Record::kind_of(opcode, block)) return std::make_unique<WT_Block_Record>(block);
    if (opcode.type() == WT_Opcode::Extended_Binary)
        return opcode.binary_value() == Embedded_Font_Opcode ? std::make_unique<WT_Embedded_Font>() : nullptr;
    if (opcode.type() != WT_Opcode::Extended_ASCII) return nullptr;
    WT_Metadata::WT_Keyword keyword = WT_Metadata::Author;
    if (WT_Metadata::keyword_of(opcode.token(), keyword)) return std::make_unique<WT_Metadata>(keyword);
    for (const Named_Record& record : Named_Records)
        if (record.token == opcode.token()) return record.maker();
    return nullptr;
}
