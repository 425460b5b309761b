// Which sections a section depends on, by section index.
#ifndef DWFPLOT_MODEL_MANIFEST_DEPENDENCY_H
#define DWFPLOT_MODEL_MANIFEST_DEPENDENCY_H

#include <cstdint>

#include "model/manifest/child_list.h"
#include "model/manifest/parsed_attributes.h"
#include "model/xml/xml_long_attribute.h"
#include "model/xml/xml_object.h"

namespace DWFManifest {

class Dependency : public DWFXmlObjects::XmlObject {
public:
    Dependency() : XmlObject("Dependency") {}
    explicit Dependency(int32_t sectionIndex);

    int32_t getSectionIndex() const { return sectionIndex_.getLong(); }
    void setSectionIndex(int32_t index) { sectionIndex_.setLong(index); }
    // The index was given and lies between 0 and `sectionCount`.
    bool refersWithin(uint32_t sectionCount) const;

    bool validate() const override { return sectionIndex_.isValid(); }
    // Also qualifies the sectionIndex attribute.
    bool bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) override;
    void readAttributes(const XmlAttributes& attributes) { sectionIndex_.setFromAttributes(attributes); }
    void serialize(DWFXmlFramework::XmlWriter& writer) const override;

private:
    DWFXmlObjects::XmlLongAttribute sectionIndex_{"sectionIndex", true};
};

class Dependencies : public DWFXmlObjects::XmlObject {
public:
    Dependencies() : XmlObject("Dependencies") {}
    explicit Dependencies(int32_t sectionIndex);

    int32_t getSectionIndex() const { return sectionIndex_.getLong(); }
    void setSectionIndex(int32_t index) { sectionIndex_.setLong(index); }
    void add(const DWFUtil::ObjectRef<Dependency>& dependency);
    uint32_t size() const { return dependencies_.size(); }
    const DWFUtil::ObjectRef<Dependency>& operator[](uint32_t index) const { return dependencies_[index]; }
    // Its own index and every dependency's index lie between 0 and `sectionCount`.
    bool refersWithin(uint32_t sectionCount) const;

    bool validate() const override { return sectionIndex_.isValid() && allChildrenValid(dependencies_); }
    bool bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) override;
    void readAttributes(const XmlAttributes& attributes) { sectionIndex_.setFromAttributes(attributes); }
    void serialize(DWFXmlFramework::XmlWriter& writer) const override;

private:
    DWFXmlObjects::XmlLongAttribute sectionIndex_{"sectionIndex", true};
    ChildList<Dependency> dependencies_;
};

}  // namespace DWFManifest

#endif  // DWFPLOT_MODEL_MANIFEST_DEPENDENCY_H
