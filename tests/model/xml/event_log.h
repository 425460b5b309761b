// A parser callback that records what it is told as lines of text.
#ifndef DWFPLOT_TESTS_MODEL_XML_EVENT_LOG_H
#define DWFPLOT_TESTS_MODEL_XML_EVENT_LOG_H

#include <string>

#include "model/xml/xml_parser.h"

namespace xmltest {

class EventLog : public DWFUtil::IXmlParserCallback {
public:
    void startElement(const DWFUtil::XmlNode& node) override {
        log += "<" + node.name.toUtf8();
        for (const auto& attribute : node.attributes) {
            log += " " + attribute.name.toUtf8() + "=[" + attribute.value.toUtf8() + "]";
        }
        log += ">";
    }
    void startPrefixMapping(const DWFUtil::String& uri, const DWFUtil::String& prefix,
                            const DWFUtil::String& location) override {
        log += "{" + prefix.toUtf8() + "|" + uri.toUtf8() + "|" + location.toUtf8() + "}";
    }
    void endElement(const DWFUtil::XmlNode& node) override {
        log += "</" + node.name.toUtf8();
        if (!node.text.empty()) log += " '" + node.text.toUtf8() + "'";
        log += ">";
    }
    void endPrefixMapping(const DWFUtil::String& uri) override { log += "{/" + uri.toUtf8() + "}"; }

    std::string log;
};

}  // namespace xmltest

#endif  // DWFPLOT_TESTS_MODEL_XML_EVENT_LOG_H
