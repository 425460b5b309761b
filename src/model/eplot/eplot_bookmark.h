// A bookmark of the global section: a named link with its sub-bookmarks.
#ifndef DWFPLOT_MODEL_EPLOT_EPLOT_BOOKMARK_H
#define DWFPLOT_MODEL_EPLOT_EPLOT_BOOKMARK_H

#include <cstdint>

#include "model/manifest/parsed_attributes.h"
#include "model/manifest/child_list.h"
#include "model/xml/xml_boolean_attribute.h"
#include "model/xml/xml_list_attribute.h"
#include "model/xml/xml_object.h"
#include "model/xml/xml_string_attribute.h"

namespace DWFEPlot {

class EPlotBookmark : public DWFXmlObjects::XmlObject {
public:
    // A bookmark of the tree, with `name` and `href` required.
    EPlotBookmark();
    // The root of a tree, whose `name` and `href` are optional.
    static DWFUtil::ObjectRef<EPlotBookmark> makeRoot();
    // Makes this bookmark the root of its tree.
    void makeRootOfTree();

    const DWFUtil::String& getBookmarkName() const { return name_.getString(); }
    void setBookmarkName(const DWFUtil::String& name) { name_.setString(name); }
    bool hasName() const { return name_.isSet() && !name_.getString().empty(); }
    const DWFUtil::String& getHref() const { return href_.getString(); }
    void setHref(const DWFUtil::String& href) { href_.setString(href); }
    bool hasHref() const { return href_.isSet() && !href_.getString().empty(); }
    int32_t getColor(DWFUtil::Vector<int32_t>& color) const;
    void setColor(const DWFUtil::Vector<int32_t>& color) { color_.setFromVector(color); }
    bool getBold() const { return bold_.getBoolean(); }
    void setBold(bool bold) { bold_.setBoolean(bold); }
    bool getItalic() const { return italic_.getBoolean(); }
    void setItalic(bool italic) { italic_.setBoolean(italic); }
    bool getUnderline() const { return underline_.getBoolean(); }
    void setUnderline(bool underline) { underline_.setBoolean(underline); }

    void add(const DWFUtil::ObjectRef<EPlotBookmark>& child);
    uint32_t size() const { return children_.size(); }
    const DWFUtil::ObjectRef<EPlotBookmark>& operator[](uint32_t index) const { return children_[index]; }

    bool validate() const override;
    bool bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) override;
    // Name, colour and href as far as given; the styles only when true.
    void readAttributes(const DWFManifest::XmlAttributes& attributes);
    // Nothing for a bookmark with neither a name nor children.
    void serialize(DWFXmlFramework::XmlWriter& writer) const override;

private:
    DWFXmlObjects::XmlStringAttribute name_{"name", true};
    DWFXmlObjects::XmlListOfLongAttribute color_{"color"};
    DWFXmlObjects::XmlBooleanAttribute bold_{"bold"};
    DWFXmlObjects::XmlBooleanAttribute italic_{"italic"};
    DWFXmlObjects::XmlBooleanAttribute underline_{"underline"};
    DWFXmlObjects::XmlStringAttribute href_{"href", true};
    DWFManifest::ChildList<EPlotBookmark> children_;
};

}  // namespace DWFEPlot

#endif  // DWFPLOT_MODEL_EPLOT_EPLOT_BOOKMARK_H
