// The sections of a package (one per plot page) and their list.
#ifndef DWFPLOT_MODEL_MANIFEST_SECTION_H
#define DWFPLOT_MODEL_MANIFEST_SECTION_H

#include <cstdint>

#include "model/manifest/child_list.h"
#include "model/manifest/parsed_attributes.h"
#include "model/manifest/resource.h"
#include "model/manifest/source.h"
#include "model/xml/xml_object.h"
#include "model/xml/xml_string_attribute.h"

namespace DWFManifest {

class Section : public DWFXmlObjects::XmlObject {
public:
    Section() : XmlObject("Section") {}
    explicit Section(const DWFUtil::String& name);

    const DWFUtil::String& getSectionName() const { return name_.getString(); }
    const DWFUtil::String& getType() const { return type_.getString(); }
    void setType(const DWFUtil::String& type) { type_.setString(type); }
    const DWFUtil::String& getTitle() const { return title_.getString(); }
    void setTitle(const DWFUtil::String& title) { title_.setString(title); }

    const DWFUtil::ObjectRef<Source>& getSource() const { return source_; }
    void setSource(const DWFUtil::ObjectRef<Source>& source) { source_ = source; }
    const DWFUtil::ObjectRef<Toc>& getToc() const { return toc_; }
    void setToc(const DWFUtil::ObjectRef<Toc>& toc) { toc_ = toc; }

    // The attributes valid, and a valid source and table of contents present.
    bool validate() const override;
    bool bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) override;
    void readAttributes(const XmlAttributes& attributes);
    void serialize(DWFXmlFramework::XmlWriter& writer) const override;

private:
    DWFXmlObjects::XmlStringAttribute name_{"name", true};
    DWFXmlObjects::XmlStringAttribute type_{"type"};
    DWFXmlObjects::XmlStringAttribute title_{"title"};
    DWFUtil::ObjectRef<Source> source_;
    DWFUtil::ObjectRef<Toc> toc_;
};

class Sections : public DWFXmlObjects::XmlObject {
public:
    Sections() : XmlObject("Sections") {}

    void add(const DWFUtil::ObjectRef<Section>& section);
    uint32_t size() const { return sections_.size(); }
    const DWFUtil::ObjectRef<Section>& operator[](uint32_t index) const { return sections_[index]; }
    // The position (from 1) of the first section with this name, or -1.
    int32_t findByName(const DWFUtil::String& name) const;
    // The position (from 1) of the first section whose source has this href, or -1.
    int32_t findByHref(const DWFUtil::String& href) const;

    bool validate() const override { return allChildrenValid(sections_); }
    bool bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) override;
    void serialize(DWFXmlFramework::XmlWriter& writer) const override;

private:
    ChildList<Section> sections_;
};

}  // namespace DWFManifest

#endif  // DWFPLOT_MODEL_MANIFEST_SECTION_H
