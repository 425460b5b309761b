#include "model/eplot/eplot_namespace.h"

#include "model/eplot/eplot_identifiers.h"

namespace DWFEPlot {

EPlotNamespace::EPlotNamespace() : XmlNamespace(kEPlotUri, kEPlotSchemaLocation) { declareNames(); }

EPlotNamespace::EPlotNamespace(const DWFUtil::String& schemaLocation) : XmlNamespace(DWFUtil::String(), schemaLocation) {
    declareNames();
}

EPlotNamespace::EPlotNamespace(const DWFUtil::String& uri, const DWFUtil::String& schemaLocation)
    : XmlNamespace(uri, schemaLocation) {
    declareNames();
}

// Elements only: descriptor attributes are written unprefixed.
void EPlotNamespace::declareNames() {
    for (const char* name : {"Bookmark", "Global", "Page", "Paper", "Resource", "Resources", "GraphicResource",
                             "ImageResource", "FontResource", "Properties", "Property", "SimpleProperty"}) {
        declareName(name);
    }
}

}  // namespace DWFEPlot
