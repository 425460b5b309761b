// The version rule of the root builders: a document newer than what this
// library reads by more than one major version is refused.
#ifndef DWFPLOT_MODEL_MANIFEST_DOCUMENT_VERSION_H
#define DWFPLOT_MODEL_MANIFEST_DOCUMENT_VERSION_H

#include "model/util/string.h"
#include "model/xml/xml_builder.h"

namespace DWFManifestBuilders {

// `version` is the document's version attribute, or null when it had none;
// then a mapping with the prefix `xmlns` whose schema location begins with
// `uriBase` supplies it (the text after `uriBase` and one more character).
// Throws UnsupportedVersion when the version reads as a number above
// `ownVersion` + 1.0; text that is no number passes.
void checkDocumentVersion(const DWFUtil::String* version, const DWFXmlBuilder::XmlPrefixMappings& mappings,
                          const char* uriBase, double ownVersion);

}  // namespace DWFManifestBuilders

#endif  // DWFPLOT_MODEL_MANIFEST_DOCUMENT_VERSION_H
