// Entry content that is the XML of a model object, such as a section
// descriptor.
#ifndef DWFPLOT_PACKAGE_WRITER_XML_OBJECT_RESOURCE_HANDLER_H
#define DWFPLOT_PACKAGE_WRITER_XML_OBJECT_RESOURCE_HANDLER_H

#include "model/util/object_ref.h"
#include "model/xml/xml_object.h"
#include "package/writer/resource_handler.h"

namespace DWFWriter {

class XmlObjectResourceHandler : public ResourceHandler {
public:
    // MIME type "text/xml"; `entryName` names the entry inside its section.
    XmlObjectResourceHandler(const DWFUtil::ObjectRef<DWFXmlObjects::XmlObject>& object,
                             const DWFUtil::String& entryName, const DWFUtil::String& role);

    // The object serialised as one line of XML.
    bool writeContent(DwfResourceWriter& output) override;

private:
    DWFUtil::ObjectRef<DWFXmlObjects::XmlObject> object_;
};

}  // namespace DWFWriter

#endif  // DWFPLOT_PACKAGE_WRITER_XML_OBJECT_RESOURCE_HANDLER_H
