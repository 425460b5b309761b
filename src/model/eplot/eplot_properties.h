// The property list of a descriptor.
#ifndef DWFPLOT_MODEL_EPLOT_EPLOT_PROPERTIES_H
#define DWFPLOT_MODEL_EPLOT_EPLOT_PROPERTIES_H

#include "model/eplot/eplot_property.h"
#include "model/manifest/child_list.h"

namespace DWFEPlot {

class EPlotProperties : public DWFXmlObjects::XmlObject {
public:
    EPlotProperties() : XmlObject("Properties") {}

    // A null handle is not added.
    void add(const DWFUtil::ObjectRef<EPlotAnyProperty>& property);
    uint32_t size() const { return properties_.size(); }
    const DWFUtil::ObjectRef<EPlotAnyProperty>& operator[](uint32_t index) const { return properties_[index]; }

    bool validate() const override { return DWFManifest::allChildrenValid(properties_); }
    bool bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) override;
    void serialize(DWFXmlFramework::XmlWriter& writer) const override;

private:
    DWFManifest::ChildList<EPlotAnyProperty> properties_;
};

}  // namespace DWFEPlot

#endif  // DWFPLOT_MODEL_EPLOT_EPLOT_PROPERTIES_H
