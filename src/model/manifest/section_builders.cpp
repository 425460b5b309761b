#include "model/manifest/section_builders.h"

namespace DWFManifestBuilders {

using DWFXmlBuilder::XmlChildHandler;

TocBuilder::TocBuilder(const DWFUtil::ObjectRef<DWFXmlFramework::XmlName>& name) : ObjectBuilder(name) {
    registerChild("Resource", &makeBuilder<ResourceBuilder>);
}

void TocBuilder::build() {
    if (candidate().size() > 0) publish();
}

const XmlChildHandler* TocBuilder::childHandlers() const {
    static constexpr XmlChildHandler kHandlers[] = {
        DWFXmlBuilder::childHandler<TocBuilder, ResourceBuilder, &TocBuilder::addResource>(), XmlChildHandler{}};
    return kHandlers;
}

SectionBuilder::SectionBuilder(const DWFUtil::ObjectRef<DWFXmlFramework::XmlName>& name) : ObjectBuilder(name) {
    registerChild("Toc", &makeBuilder<TocBuilder>);
    registerChild("Source", &makeBuilder<SourceBuilder>);
}

void SectionBuilder::setAttributes(const DWFUtil::Vector<DWFUtil::XmlParser::Attribute>& attributes) {
    candidate().readAttributes(attributes);
}

void SectionBuilder::build() {
    if (!candidate().getToc().isNull() && !candidate().getSource().isNull()) publish();
}

void SectionBuilder::addToc(TocBuilder& child) {
    if (!child.getObject().isNull()) candidate().setToc(child.getObject());
}

void SectionBuilder::addSource(SourceBuilder& child) {
    if (!child.getObject().isNull()) candidate().setSource(child.getObject());
}

const XmlChildHandler* SectionBuilder::childHandlers() const {
    static constexpr XmlChildHandler kHandlers[] = {
        DWFXmlBuilder::childHandler<SectionBuilder, TocBuilder, &SectionBuilder::addToc>(),
        DWFXmlBuilder::childHandler<SectionBuilder, SourceBuilder, &SectionBuilder::addSource>(), XmlChildHandler{}};
    return kHandlers;
}

SectionsBuilder::SectionsBuilder(const DWFUtil::ObjectRef<DWFXmlFramework::XmlName>& name) : ObjectBuilder(name) {
    registerChild("Section", &makeBuilder<SectionBuilder>);
}

void SectionsBuilder::build() {
    if (candidate().size() > 0) publish();
}

const XmlChildHandler* SectionsBuilder::childHandlers() const {
    static constexpr XmlChildHandler kHandlers[] = {
        DWFXmlBuilder::childHandler<SectionsBuilder, SectionBuilder, &SectionsBuilder::addSection>(),
        XmlChildHandler{}};
    return kHandlers;
}

}  // namespace DWFManifestBuilders
