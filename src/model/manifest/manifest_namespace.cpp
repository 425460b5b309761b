#include "model/manifest/manifest_namespace.h"

namespace DWFManifest {

ManifestNamespace::ManifestNamespace() : XmlNamespace(kManifestUri, kManifestSchemaLocation) { declareNames(); }

ManifestNamespace::ManifestNamespace(const DWFUtil::String& schemaLocation)
    : XmlNamespace(DWFUtil::String(), schemaLocation) {
    declareNames();
}

ManifestNamespace::ManifestNamespace(const DWFUtil::String& uri, const DWFUtil::String& schemaLocation)
    : XmlNamespace(uri, schemaLocation) {
    declareNames();
}

void ManifestNamespace::declareNames() {
    // The elements, and the four attributes whose names are qualified in
    // written manifests (dwf:href, dwf:role, dwf:mime, dwf:sectionIndex).
    for (const char* name : {"Dependencies", "Dependency", "Manifest", "Resource", "Section", "Sections", "Interface",
                             "Interfaces", "Toc", "Properties", "Property", "SimpleProperty", "Source", "sectionIndex",
                             "href", "role", "mime"}) {
        declareName(name);
    }
}

}  // namespace DWFManifest
