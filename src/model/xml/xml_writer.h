// Serialises model objects as XML into an IOHandler: one line, no
// declaration, no indentation, pure ASCII. The text is collected and handed
// to the handler when the outermost element ends (or on `flush`), so a large
// document reaches the handler in one write.
#ifndef DWFPLOT_MODEL_XML_XML_WRITER_H
#define DWFPLOT_MODEL_XML_XML_WRITER_H

#include <cstdint>
#include <string>

#include "model/util/io_handler.h"
#include "model/util/map.h"
#include "model/util/object_ref.h"
#include "model/util/string.h"
#include "model/util/vector.h"
#include "model/xml/xml_name.h"
#include "model/xml/xml_prefix_mapping.h"

namespace DWFXmlObjects {
class XmlObject;
class XmlAttributeObject;
}  // namespace DWFXmlObjects

namespace DWFXmlFramework {

using XmlPrefixMappingList = DWFUtil::Vector<DWFUtil::ObjectRef<XmlPrefixMapping>>;

class XmlWriter {
public:
    explicit XmlWriter(DWFUtil::IOHandler& output) : output_(output) {}
    XmlWriter(const XmlWriter&) = delete;
    XmlWriter& operator=(const XmlWriter&) = delete;
    ~XmlWriter();

    // Puts the object's mappings in scope, starts its element and writes
    // its namespace declarations.
    void startObject(const DWFXmlObjects::XmlObject& object);
    void startElement(const DWFUtil::ObjectRef<XmlName>& name);
    // `xmlns` declarations, then (first time only) `xmlns:xsi`, then the
    // schema locations. Mappings with the prefix `xsi` are skipped.
    void writeNamespaceDeclarations(const XmlPrefixMappingList& mappings);
    // Only while a start tag is open, and only for an attribute that was set.
    void writeAttribute(const DWFXmlObjects::XmlAttributeObject& attribute);
    // Escaped character data; nothing for empty text.
    void writeText(const DWFUtil::String& text);
    // Unescaped character data; nothing for empty text.
    void writeRaw(const DWFUtil::String& text);
    // ` />` while the start tag is open, else the end tag.
    void endElement();
    void endObject();
    // Ends the element and takes only `mappings` out of scope.
    void endObject(const XmlPrefixMappingList& mappings);

    // Hands what was written so far to the handler: its answer (1), or -1
    // when it failed now or earlier.
    int32_t flush();

    // `prefix:name` when the name's namespace is in scope with a prefix,
    // else the effective name.
    DWFUtil::String qualifiedName(const XmlName& name) const;

private:
    void closeStartTag();
    void appendQualifiedName(const XmlName& name);
    void append(const DWFUtil::String& text);
    void appendQuoted(const DWFUtil::String& text);

    DWFUtil::IOHandler& output_;
    std::string pending_;
    bool failed_ = false;
    DWFUtil::Vector<DWFUtil::ObjectRef<XmlName>> open_;
    bool startTagOpen_ = false;
    bool schemaInstanceDeclared_ = false;
    DWFUtil::Map<DWFUtil::String, DWFUtil::ObjectRef<XmlPrefixMapping>> scope_;
};

}  // namespace DWFXmlFramework

#endif  // DWFPLOT_MODEL_XML_XML_WRITER_H
