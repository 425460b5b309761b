// The published identifiers of the ePlot layer: section types, the ePlot
// interface record and the schema of section descriptors.
#ifndef DWFPLOT_MODEL_EPLOT_EPLOT_IDENTIFIERS_H
#define DWFPLOT_MODEL_EPLOT_EPLOT_IDENTIFIERS_H

#include "model/manifest/interface.h"
#include "model/util/object_ref.h"

namespace DWFEPlot {

inline constexpr const char* kEPlotSectionType = "dwf.ePlot";
inline constexpr const char* kEPlotGlobalSectionType = "dwf.ePlotGlobal";

inline constexpr const char* kEPlotInterfaceName = "ePlot";
inline constexpr const char* kEPlotInterfaceObjectId = "715941D4-1AC2-4545-8185-BC40E053B551";
inline constexpr const char* kEPlotInterfaceHref = "urn:dwf:ePlot";

// The namespace URI is the base name, a colon and the ePlot version.
inline constexpr const char* kEPlotUriBase = "DWF-ePlot";
inline constexpr const char* kEPlotVersion = "1.1";
inline constexpr const char* kEPlotUri = "DWF-ePlot:1.1";
inline constexpr const char* kEPlotSchemaLocation = "DWF-ePlot.xsd";
// The prefix descriptors are written with.
inline constexpr const char* kEPlotPrefix = "ePlot";

// A new record of the ePlot interface, for a manifest or a reader's list of
// supported interfaces.
DWFUtil::ObjectRef<DWFManifest::Interface> makeEPlotInterface();

}  // namespace DWFEPlot

#endif  // DWFPLOT_MODEL_EPLOT_EPLOT_IDENTIFIERS_H
