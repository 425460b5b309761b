#include "model/eplot/eplot_identifiers.h"

#include "model/xml/new_object.h"

namespace DWFEPlot {

DWFUtil::ObjectRef<DWFManifest::Interface> makeEPlotInterface() {
    return DWFXmlFramework::newObject<DWFManifest::Interface>(kEPlotInterfaceObjectId, kEPlotInterfaceName,
                                                              kEPlotInterfaceHref);
}

}  // namespace DWFEPlot
