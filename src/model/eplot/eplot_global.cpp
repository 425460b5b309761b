#include "model/eplot/eplot_global.h"

#include "model/eplot/eplot_identifiers.h"
#include "model/xml/new_object.h"
#include "model/xml/xml_writer.h"

namespace DWFEPlot {

EPlotGlobal::EPlotGlobal()
    : XmlObject("Global"),
      properties_(DWFXmlFramework::newObject<EPlotProperties>()),
      bookmark_(EPlotBookmark::makeRoot()) {
    version_.setString(kEPlotVersion);
}

void EPlotGlobal::setProperties(const DWFUtil::ObjectRef<EPlotProperties>& properties) {
    if (!properties.isNull()) properties_ = properties;
}

void EPlotGlobal::setBookmark(const DWFUtil::ObjectRef<EPlotBookmark>& bookmark) {
    if (bookmark.isNull()) return;
    bookmark_ = bookmark;
    bookmark_->makeRootOfTree();
}

bool EPlotGlobal::validate() const {
    if (!version_.isValid()) return false;
    if (properties_->size() > 0 && !properties_->validate()) return false;
    if (bookmark_->size() > 0 && !bookmark_->validate()) return false;
    return bookmark_->hasName() || bookmark_->hasHref() || bookmark_->size() > 0 || properties_->size() > 0 ||
           !getText().empty();
}

bool EPlotGlobal::bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) {
    XmlObject::bindNamespace(nameSpace);
    properties_->bindNamespace(nameSpace);
    bookmark_->bindNamespace(nameSpace);
    return true;
}

void EPlotGlobal::serialize(DWFXmlFramework::XmlWriter& writer) const {
    writer.startObject(*this);
    writer.writeAttribute(version_);
    if (properties_->size() > 0 && properties_->validate()) properties_->serialize(writer);
    if (bookmark_->validate()) bookmark_->serialize(writer);
    writer.writeRaw(getText());
    writer.endObject();
}

}  // namespace DWFEPlot
