// The content of a descriptor resource: the package writer's
// XmlObjectResourceHandler stores what this writes as the entry's data, with
// the MIME type text/xml.
#ifndef DWFPLOT_MODEL_EPLOT_XML_OBJECT_CONTENT_H
#define DWFPLOT_MODEL_EPLOT_XML_OBJECT_CONTENT_H

#include <cstdint>

#include "model/util/io_handler.h"
#include "model/xml/xml_object.h"

namespace DWFEPlot {

// Serialises `object` into `output` as one line of XML. Answers 1, or -1
// when the output refused the text.
int32_t writeXmlObjectContent(const DWFXmlObjects::XmlObject& object, DWFUtil::IOHandler& output);

}  // namespace DWFEPlot

#endif  // DWFPLOT_MODEL_EPLOT_XML_OBJECT_CONTENT_H
