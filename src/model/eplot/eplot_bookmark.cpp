#include "model/eplot/eplot_bookmark.h"

#include "model/eplot/attribute_reading.h"
#include "model/eplot/typed_list.h"
#include "model/xml/new_object.h"
#include "model/xml/xml_writer.h"

namespace DWFEPlot {

EPlotBookmark::EPlotBookmark() : XmlObject("Bookmark") {}

DWFUtil::ObjectRef<EPlotBookmark> EPlotBookmark::makeRoot() {
    DWFUtil::ObjectRef<EPlotBookmark> root = DWFXmlFramework::newObject<EPlotBookmark>();
    root->makeRootOfTree();
    return root;
}

void EPlotBookmark::makeRootOfTree() {
    name_.setRequired(false);
    href_.setRequired(false);
}

int32_t EPlotBookmark::getColor(DWFUtil::Vector<int32_t>& color) const { return readList(color_, color); }

void EPlotBookmark::add(const DWFUtil::ObjectRef<EPlotBookmark>& child) {
    if (!child.isNull()) DWFManifest::appendChild(children_, child);
}

bool EPlotBookmark::validate() const {
    return name_.isValid() && color_.isValid() && bold_.isValid() && italic_.isValid() && underline_.isValid() &&
           href_.isValid() && DWFManifest::allChildrenValid(children_);
}

bool EPlotBookmark::bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) {
    XmlObject::bindNamespace(nameSpace);
    DWFManifest::bindChildren(children_, nameSpace);
    return true;
}

void EPlotBookmark::readAttributes(const DWFManifest::XmlAttributes& attributes) {
    readAll(attributes, {&name_, &color_, &href_});
    // The styles are taken by their truth value, so "yes" and "1" make a
    // bookmark bold as "true" does.
    for (DWFXmlObjects::XmlBooleanAttribute* style : {&bold_, &italic_, &underline_}) {
        readThrough(attributes, *style,
                    [style](const DWFXmlObjects::XmlBooleanAttribute& read) { style->setBoolean(read.getBoolean()); });
    }
}

void EPlotBookmark::serialize(DWFXmlFramework::XmlWriter& writer) const {
    if (!name_.isSet() && children_.empty()) return;
    writer.startElement(getName());
    if (hasName()) writer.writeAttribute(name_);
    if (color_.isSet() && !color_.getText().empty()) writer.writeAttribute(color_);
    for (const DWFXmlObjects::XmlBooleanAttribute* style : {&bold_, &italic_, &underline_}) {
        if (style->isSet() && style->getBoolean()) writer.writeAttribute(*style);
    }
    if (hasHref()) writer.writeAttribute(href_);
    DWFManifest::serializeChildren(children_, writer);
    writer.endElement();
}

}  // namespace DWFEPlot
