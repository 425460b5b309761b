// The namespace of manifest.xml and the published values that go with it.
#ifndef DWFPLOT_MODEL_MANIFEST_MANIFEST_NAMESPACE_H
#define DWFPLOT_MODEL_MANIFEST_MANIFEST_NAMESPACE_H

#include "model/util/string.h"
#include "model/xml/xml_namespace.h"

namespace DWFManifest {

// The namespace URI is the base name, a colon and the manifest version.
inline constexpr const char* kManifestUriBase = "DWF-Manifest";
inline constexpr const char* kManifestVersion = "6.0";
inline constexpr const char* kManifestUri = "DWF-Manifest:6.0";
inline constexpr const char* kManifestSchemaLocation = "DWF-Manifest.xsd";
// The prefix the package writer declares the namespace with.
inline constexpr const char* kManifestPrefix = "dwf";

class ManifestNamespace : public DWFXmlFramework::XmlNamespace {
public:
    // DWF-Manifest:6.0 with the published schema location.
    ManifestNamespace();
    // No namespace URI, only a schema location.
    explicit ManifestNamespace(const DWFUtil::String& schemaLocation);
    ManifestNamespace(const DWFUtil::String& uri, const DWFUtil::String& schemaLocation);

private:
    void declareNames();
};

}  // namespace DWFManifest

#endif  // DWFPLOT_MODEL_MANIFEST_MANIFEST_NAMESPACE_H
