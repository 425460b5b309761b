// Builders of the manifest's sections. The build conditions cascade: a
// table of contents without resources builds nothing, a section without
// table of contents or source builds nothing, and a section list left
// without sections builds nothing.
#ifndef DWFPLOT_MODEL_MANIFEST_SECTION_BUILDERS_H
#define DWFPLOT_MODEL_MANIFEST_SECTION_BUILDERS_H

#include "model/manifest/object_builder.h"
#include "model/manifest/resource.h"
#include "model/manifest/section.h"
#include "model/manifest/source.h"

namespace DWFManifestBuilders {

class SourceBuilder : public LeafBuilder<DWFManifest::Source> {
public:
    using LeafBuilder::LeafBuilder;
};

class ResourceBuilder : public LeafBuilder<DWFManifest::Resource> {
public:
    using LeafBuilder::LeafBuilder;
};

class TocBuilder : public ObjectBuilder<DWFManifest::Toc> {
public:
    explicit TocBuilder(const DWFUtil::ObjectRef<DWFXmlFramework::XmlName>& name);

    void build() override;
    const DWFXmlBuilder::XmlChildHandler* childHandlers() const override;

private:
    void addResource(ResourceBuilder& child) { candidate().add(child.getObject()); }
};

class SectionBuilder : public ObjectBuilder<DWFManifest::Section> {
public:
    explicit SectionBuilder(const DWFUtil::ObjectRef<DWFXmlFramework::XmlName>& name);

    void setAttributes(const DWFUtil::Vector<DWFUtil::XmlParser::Attribute>& attributes) override;
    void build() override;
    const DWFXmlBuilder::XmlChildHandler* childHandlers() const override;

private:
    void addToc(TocBuilder& child);
    void addSource(SourceBuilder& child);
};

class SectionsBuilder : public ObjectBuilder<DWFManifest::Sections> {
public:
    explicit SectionsBuilder(const DWFUtil::ObjectRef<DWFXmlFramework::XmlName>& name);

    void build() override;
    const DWFXmlBuilder::XmlChildHandler* childHandlers() const override;

private:
    void addSection(SectionBuilder& child) { candidate().add(child.getObject()); }
};

}  // namespace DWFManifestBuilders

#endif  // DWFPLOT_MODEL_MANIFEST_SECTION_BUILDERS_H
