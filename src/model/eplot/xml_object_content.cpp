#include "model/eplot/xml_object_content.h"

#include "model/xml/xml_writer.h"

namespace DWFEPlot {

int32_t writeXmlObjectContent(const DWFXmlObjects::XmlObject& object, DWFUtil::IOHandler& output) {
    DWFXmlFramework::XmlWriter writer(output);
    object.serialize(writer);
    return writer.flush();
}

}  // namespace DWFEPlot
