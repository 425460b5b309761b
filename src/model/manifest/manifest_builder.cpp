#include "model/manifest/manifest_builder.h"

#include "model/manifest/document_version.h"
#include "model/manifest/manifest_namespace.h"
#include "model/xml/xml_string_attribute.h"

namespace DWFManifestBuilders {

using DWFXmlBuilder::XmlChildHandler;

ManifestBuilder::ManifestBuilder() {
    registerChild("Sections", &makeBuilder<SectionsBuilder>);
    registerChild("Properties", &makeBuilder<PropertiesBuilder>);
    registerChild("Dependencies", &makeBuilder<DependenciesBuilder>);
    registerChild("Interfaces", &makeBuilder<InterfacesBuilder>);
}

void ManifestBuilder::setAttributes(const DWFUtil::Vector<DWFUtil::XmlParser::Attribute>& attributes) {
    // Only what the document gives replaces the version and identifier the
    // new manifest was made with.
    candidate().readAttributes(attributes);
    DWFXmlObjects::XmlStringAttribute version("version");
    version.setFromAttributes(attributes);
    checkDocumentVersion(version.isSet() ? &version.getString() : nullptr, getPrefixMappings(),
                         DWFManifest::kManifestUriBase, 6.0);
}

void ManifestBuilder::build() {
    if (sectionsArrived_) publish();
}

void ManifestBuilder::addSections(SectionsBuilder& child) {
    if (child.getObject().isNull()) return;
    candidate().setSections(child.getObject());
    sectionsArrived_ = true;
}

void ManifestBuilder::addInterfaces(InterfacesBuilder& child) {
    if (!child.getObject().isNull()) candidate().setInterfaces(child.getObject());
}

const XmlChildHandler* ManifestBuilder::childHandlers() const {
    static constexpr XmlChildHandler kHandlers[] = {
        DWFXmlBuilder::childHandler<ManifestBuilder, SectionsBuilder, &ManifestBuilder::addSections>(),
        DWFXmlBuilder::childHandler<ManifestBuilder, PropertiesBuilder, &ManifestBuilder::addProperties>(),
        DWFXmlBuilder::childHandler<ManifestBuilder, InterfacesBuilder, &ManifestBuilder::addInterfaces>(),
        DWFXmlBuilder::childHandler<ManifestBuilder, DependenciesBuilder, &ManifestBuilder::addDependencies>(),
        XmlChildHandler{}};
    return kHandlers;
}

}  // namespace DWFManifestBuilders
