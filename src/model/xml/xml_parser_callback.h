// What the XML parser reports while it reads a document. The node's name,
// attributes and text borrow the parser's buffer and are valid during the
// call only: what a callback keeps, it copies.
#ifndef DWFPLOT_MODEL_XML_XML_PARSER_CALLBACK_H
#define DWFPLOT_MODEL_XML_XML_PARSER_CALLBACK_H

#include "model/util/string.h"

namespace DWFUtil {

struct XmlNode;

class IXmlParserCallback {
public:
    // An element's start tag was read; its attributes are known, its text not yet.
    virtual void startElement(const XmlNode& node) = 0;
    // A prefixed namespace declaration of the element about to start.
    virtual void startPrefixMapping(const String& uri, const String& prefix, const String& schemaLocation) = 0;
    // An element ended; its text is complete.
    virtual void endElement(const XmlNode& node) = 0;
    // The declaration of `uri` went out of scope with its element.
    virtual void endPrefixMapping(const String& uri) = 0;

protected:
    ~IXmlParserCallback() = default;
};

}  // namespace DWFUtil

#endif  // DWFPLOT_MODEL_XML_XML_PARSER_CALLBACK_H
