#include "model/eplot/eplot_enumerations.h"

namespace DWFEPlot {

const DWFXmlObjects::XmlStringEnumRegistry& orientations() {
    static const DWFXmlObjects::XmlStringEnumRegistry registry{
        {1, "alwaysInSync"}, {2, "alwaysDifferent"}, {4, "decoupled"}};
    return registry;
}

const DWFXmlObjects::XmlStringEnumRegistry& fontPrivileges() {
    static const DWFXmlObjects::XmlStringEnumRegistry registry{
        {1, "previewPrint"}, {2, "editable"}, {3, "installable"}, {4, "noEmbedding"}};
    return registry;
}

const DWFXmlObjects::XmlStringEnumRegistry& characterCodes() {
    static const DWFXmlObjects::XmlStringEnumRegistry registry{{1, "unicode"}, {2, "symbol"}, {3, "glyphIdx"}};
    return registry;
}

}  // namespace DWFEPlot
