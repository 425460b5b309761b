// The paper of a page: its size and units, the clip rectangle and colour.
#ifndef DWFPLOT_MODEL_EPLOT_EPLOT_PAPER_H
#define DWFPLOT_MODEL_EPLOT_EPLOT_PAPER_H

#include <cstdint>

#include "model/manifest/parsed_attributes.h"
#include "model/util/vector.h"
#include "model/xml/xml_boolean_attribute.h"
#include "model/xml/xml_constrained_double_attribute.h"
#include "model/xml/xml_list_attribute.h"
#include "model/xml/xml_object.h"
#include "model/xml/xml_string_attribute.h"

namespace DWFEPlot {

class EPlotPaper : public DWFXmlObjects::XmlObject {
public:
    // Colour 255 255 255; units, width and height still to be given.
    EPlotPaper();

    bool getShow() const { return show_.getBoolean(); }
    void setShow(bool show) { show_.setBoolean(show); }
    const DWFUtil::String& getUnits() const { return units_.getString(); }
    bool isMillimetres() const { return units_.getString() == "mm"; }
    // "mm" or "in"; other text: InvalidArgument.
    int32_t setUnits(const DWFUtil::String& units);
    double getWidth() const { return width_.getDouble(); }
    double getHeight() const { return height_.getDouble(); }
    // Sizes of 0 or less: InvalidArgument.
    int32_t setWidth(double width);
    int32_t setHeight(double height);
    // Four values.
    int32_t getClip(DWFUtil::Vector<double>& clip) const;
    int32_t setClip(const DWFUtil::Vector<double>& clip);
    // Three values.
    int32_t getColor(DWFUtil::Vector<int32_t>& color) const;
    int32_t setColor(const DWFUtil::Vector<int32_t>& color);

    bool validate() const override;
    void readAttributes(const DWFManifest::XmlAttributes& attributes);
    void serialize(DWFXmlFramework::XmlWriter& writer) const override;

private:
    DWFXmlObjects::XmlBooleanAttribute show_{"show"};
    DWFXmlObjects::XmlStringAttribute units_{"units", true};
    DWFXmlObjects::XmlConstrainedDoubleAttribute width_{"width", true};
    DWFXmlObjects::XmlConstrainedDoubleAttribute height_{"height", true};
    DWFXmlObjects::XmlListOfDoubleAttribute clip_{"clip"};
    DWFXmlObjects::XmlListOfLongAttribute color_{"color"};
};

}  // namespace DWFEPlot

#endif  // DWFPLOT_MODEL_EPLOT_EPLOT_PAPER_H
