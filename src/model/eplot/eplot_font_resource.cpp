#include "model/eplot/eplot_font_resource.h"

#include "model/eplot/attribute_reading.h"
#include "model/eplot/eplot_enumerations.h"
#include "model/xml/xml_writer.h"

namespace DWFEPlot {
namespace {

using DWF::DwfResult;
using DWFXmlObjects::XmlStringAttribute;
using DWFXmlObjects::XmlStringEnumRegistry;

int32_t codeOf(const XmlStringEnumRegistry& registry, const XmlStringAttribute& attribute) {
    const int32_t code = registry.codeOf(attribute.getString());
    if (code == 0) throw DwfResult::InvalidData;
    return code;
}

int32_t assignCode(const XmlStringEnumRegistry& registry, XmlStringAttribute& attribute, int32_t code) {
    const DWFXmlObjects::XmlStringEnum* entry = registry.findCode(code);
    if (!entry) return DwfResult::InvalidArgument;
    attribute.setString(entry->getWord());
    return DwfResult::Success;
}

int32_t assignWord(const XmlStringEnumRegistry& registry, XmlStringAttribute& attribute, const DWFUtil::String& word) {
    if (!registry.find(word)) return DwfResult::InvalidArgument;
    attribute.setString(word);
    return DwfResult::Success;
}

}  // namespace

int32_t EPlotFontResource::getPrivilege() const { return codeOf(fontPrivileges(), privilege_); }

int32_t EPlotFontResource::setPrivilege(int32_t code) { return assignCode(fontPrivileges(), privilege_, code); }

int32_t EPlotFontResource::setPrivilege(const DWFUtil::String& word) {
    return assignWord(fontPrivileges(), privilege_, word);
}

int32_t EPlotFontResource::getCharacterCode() const { return codeOf(characterCodes(), characterCode_); }

int32_t EPlotFontResource::setCharacterCode(int32_t code) { return assignCode(characterCodes(), characterCode_, code); }

int32_t EPlotFontResource::setCharacterCode(const DWFUtil::String& word) {
    return assignWord(characterCodes(), characterCode_, word);
}

void EPlotFontResource::readAttributes(const DWFManifest::XmlAttributes& attributes) {
    EPlotResource::readAttributes(attributes);
    readAll(attributes, {&request_, &canonicalName_, &logfontName_});
    readThrough(attributes, privilege_, [this](const XmlStringAttribute& read) { setPrivilege(read.getString()); });
    readThrough(attributes, characterCode_,
                [this](const XmlStringAttribute& read) { setCharacterCode(read.getString()); });
}

bool EPlotFontResource::validate() const {
    return EPlotResource::validate() && request_.isValid() && privilege_.isValid() && characterCode_.isValid() &&
           canonicalName_.isValid() && logfontName_.isValid();
}

void EPlotFontResource::writeAttributes(DWFXmlFramework::XmlWriter& writer) const {
    EPlotResource::writeAttributes(writer);
    writer.writeAttribute(request_);
    writer.writeAttribute(privilege_);
    writer.writeAttribute(characterCode_);
    writer.writeAttribute(canonicalName_);
    writer.writeAttribute(logfontName_);
}

}  // namespace DWFEPlot
