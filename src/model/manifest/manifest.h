// The manifest of a package: its version and identifier, the interfaces it
// implements, its properties, its sections and their dependencies.
#ifndef DWFPLOT_MODEL_MANIFEST_MANIFEST_H
#define DWFPLOT_MODEL_MANIFEST_MANIFEST_H

#include "model/manifest/child_list.h"
#include "model/manifest/dependency.h"
#include "model/manifest/interface.h"
#include "model/manifest/properties.h"
#include "model/manifest/section.h"
#include "model/xml/xml_object.h"
#include "model/xml/xml_string_attribute.h"

namespace DWFManifest {

class Manifest : public DWFXmlObjects::XmlObject {
public:
    // Version 6.0, a new hyphenated identifier, and empty interfaces,
    // properties and sections.
    Manifest();
    // Null handles are replaced by empty lists.
    Manifest(const DWFUtil::ObjectRef<Properties>& properties, const DWFUtil::ObjectRef<Sections>& sections);

    const DWFUtil::String& getVersion() const { return version_.getString(); }
    void setVersion(const DWFUtil::String& version) { version_.setString(version); }
    const DWFUtil::String& getObjectId() const { return objectId_.getString(); }
    void setObjectId(const DWFUtil::String& objectId) { objectId_.setString(objectId); }

    const DWFUtil::ObjectRef<Interfaces>& getInterfaces() const { return interfaces_; }
    void setInterfaces(const DWFUtil::ObjectRef<Interfaces>& interfaces) { interfaces_ = interfaces; }
    const DWFUtil::ObjectRef<Properties>& getProperties() const { return properties_; }
    // A null handle leaves the properties as they are.
    void setProperties(const DWFUtil::ObjectRef<Properties>& properties);
    const DWFUtil::ObjectRef<Sections>& getSections() const { return sections_; }
    // A null handle leaves the sections as they are.
    void setSections(const DWFUtil::ObjectRef<Sections>& sections);
    const ChildList<Dependencies>& getDependencies() const { return dependencies_; }
    void addDependencies(const DWFUtil::ObjectRef<Dependencies>& dependencies);

    // The version valid; interfaces, properties and sections present and
    // valid; every dependency valid and naming sections that exist.
    bool validate() const override;
    // Binds the manifest element, then every child.
    bool bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) override;
    void readAttributes(const XmlAttributes& attributes);
    void serialize(DWFXmlFramework::XmlWriter& writer) const override;

private:
    DWFXmlObjects::XmlStringAttribute version_{"version", true};
    DWFXmlObjects::XmlStringAttribute objectId_{"objectId", true};
    DWFUtil::ObjectRef<Interfaces> interfaces_;
    DWFUtil::ObjectRef<Properties> properties_;
    DWFUtil::ObjectRef<Sections> sections_;
    ChildList<Dependencies> dependencies_;
};

}  // namespace DWFManifest

#endif  // DWFPLOT_MODEL_MANIFEST_MANIFEST_H
