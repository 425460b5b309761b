#include "model/manifest/document_version.h"

#include <cstring>

#include "dwfplot/DwfResult.h"
#include "model/xml/xml_number_text.h"

namespace DWFManifestBuilders {
namespace {

bool versionFromMappings(const DWFXmlBuilder::XmlPrefixMappings& mappings, const char* uriBase,
                         DWFUtil::String& version) {
    const auto baseLength = static_cast<uint32_t>(std::strlen(uriBase));
    for (const auto& mapping : mappings) {
        const DWFUtil::String& location = mapping->getSchemaLocation();
        if (mapping->getPrefix() == "xmlns" && location.matchesAt(uriBase, 0, baseLength)) {
            version = location.substring(baseLength + 1);
            return true;
        }
    }
    return false;
}

}  // namespace

void checkDocumentVersion(const DWFUtil::String* version, const DWFXmlBuilder::XmlPrefixMappings& mappings,
                          const char* uriBase, double ownVersion) {
    DWFUtil::String text;
    if (version) {
        text = *version;
    } else if (!versionFromMappings(mappings, uriBase, text)) {
        return;
    }
    double value = 0;
    if (DWFXmlObjects::parseDoubleText(text, value) && value - ownVersion > 1.0) {
        throw DWF::DwfResult::UnsupportedVersion;
    }
}

}  // namespace DWFManifestBuilders
