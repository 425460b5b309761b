// The word enumerations of descriptor attributes.
#ifndef DWFPLOT_MODEL_EPLOT_EPLOT_ENUMERATIONS_H
#define DWFPLOT_MODEL_EPLOT_EPLOT_ENUMERATIONS_H

#include "model/xml/xml_string_enum.h"

namespace DWFEPlot {

// A graphic resource's `orientation`: alwaysInSync 1, alwaysDifferent 2, decoupled 4.
const DWFXmlObjects::XmlStringEnumRegistry& orientations();
// A font resource's `privilege`: previewPrint 1, editable 2, installable 3, noEmbedding 4.
const DWFXmlObjects::XmlStringEnumRegistry& fontPrivileges();
// A font resource's `characterCode`: unicode 1, symbol 2, glyphIdx 3.
const DWFXmlObjects::XmlStringEnumRegistry& characterCodes();

}  // namespace DWFEPlot

#endif  // DWFPLOT_MODEL_EPLOT_EPLOT_ENUMERATIONS_H
