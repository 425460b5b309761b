#include "model/xml/xml_boolean_enum.h"

namespace DWFXmlObjects {
namespace {

// Constant once built; the entries live for the whole process.
struct Registry {
    XmlBooleanEnum zero{false, "0"};
    XmlBooleanEnum one{true, "1"};
    XmlBooleanEnum falseWord{false, "false"};
    XmlBooleanEnum no{false, "no"};
    XmlBooleanEnum trueWord{true, "true"};
    XmlBooleanEnum yes{true, "yes"};
    DWFUtil::Vector<const XmlBooleanEnum*> order;

    Registry() {
        for (const XmlBooleanEnum* entry : {&zero, &one, &falseWord, &no, &trueWord, &yes}) order.push_back(entry);
    }
};

const Registry& registry() {
    static const Registry instance;
    return instance;
}

}  // namespace

const DWFUtil::Vector<const XmlBooleanEnum*>& XmlBooleanEnum::entries() { return registry().order; }

const XmlBooleanEnum* XmlBooleanEnum::find(const DWFUtil::String& word) {
    if (word.empty()) return nullptr;
    for (const XmlBooleanEnum* entry : registry().order) {
        if (entry->getWord() == word) return entry;
    }
    return nullptr;
}

const XmlBooleanEnum& XmlBooleanEnum::forValue(bool value) {
    return value ? registry().trueWord : registry().falseWord;
}

}  // namespace DWFXmlObjects
