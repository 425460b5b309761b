// The namespace of section descriptors.
#ifndef DWFPLOT_MODEL_EPLOT_EPLOT_NAMESPACE_H
#define DWFPLOT_MODEL_EPLOT_EPLOT_NAMESPACE_H

#include "model/util/string.h"
#include "model/xml/xml_namespace.h"

namespace DWFEPlot {

class EPlotNamespace : public DWFXmlFramework::XmlNamespace {
public:
    // DWF-ePlot:1.1 with the published schema location.
    EPlotNamespace();
    // No namespace URI, only a schema location.
    explicit EPlotNamespace(const DWFUtil::String& schemaLocation);
    EPlotNamespace(const DWFUtil::String& uri, const DWFUtil::String& schemaLocation);

private:
    void declareNames();
};

}  // namespace DWFEPlot

#endif  // DWFPLOT_MODEL_EPLOT_EPLOT_NAMESPACE_H
