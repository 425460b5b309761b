#include "package/writer/xml_object_resource_handler.h"

#include "model/xml/xml_writer.h"
#include "package/writer/dwf_resource_writer.h"

namespace DWFWriter {

XmlObjectResourceHandler::XmlObjectResourceHandler(const DWFUtil::ObjectRef<DWFXmlObjects::XmlObject>& object,
                                                   const DWFUtil::String& entryName, const DWFUtil::String& role)
    : ResourceHandler(role, "text/xml"), object_(object) {
    setEntryName(entryName);
    setSourceFileName(entryName);
    const int32_t dot = entryName.findLast('.');
    if (dot >= 0) setExtension(entryName.substring(static_cast<uint32_t>(dot) + 1));
}

bool XmlObjectResourceHandler::writeContent(DwfResourceWriter& output) {
    if (object_.Object() == nullptr) return false;
    DWFXmlFramework::XmlWriter writer(output);
    object_->serialize(writer);
    return writer.flush() > 0 && !output.failed();
}

}  // namespace DWFWriter
