// The words a boolean attribute accepts. Six entries, in this order: "0",
// "1", "false", "no", "true", "yes". An attribute keeps the entry it was read
// with, so "yes" or "1" is written back as read.
#ifndef DWFPLOT_MODEL_XML_XML_BOOLEAN_ENUM_H
#define DWFPLOT_MODEL_XML_XML_BOOLEAN_ENUM_H

#include "model/util/string.h"
#include "model/util/vector.h"

namespace DWFXmlObjects {

class XmlBooleanEnum {
public:
    // The word holds both forms from the start: the entries are shared by
    // every thread, and reading a String may otherwise fill in a form.
    XmlBooleanEnum(bool value, const char* word) : value_(value), word_(word) { word_.wideChars(); }

    bool getValue() const { return value_; }
    const DWFUtil::String& getWord() const { return word_; }

    // The registered entries, in registration order.
    static const DWFUtil::Vector<const XmlBooleanEnum*>& entries();
    // The first entry whose word equals `word` exactly (case-sensitive), or null.
    static const XmlBooleanEnum* find(const DWFUtil::String& word);
    // The entry "true" or "false".
    static const XmlBooleanEnum& forValue(bool value);

private:
    bool value_;
    DWFUtil::String word_;
};

}  // namespace DWFXmlObjects

#endif  // DWFPLOT_MODEL_XML_XML_BOOLEAN_ENUM_H
