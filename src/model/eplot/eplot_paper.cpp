#include "model/eplot/eplot_paper.h"

#include "model/eplot/typed_list.h"
#include "model/xml/xml_writer.h"

namespace DWFEPlot {

EPlotPaper::EPlotPaper() : XmlObject("Paper") {
    width_.setMinimum(0, false, true);
    height_.setMinimum(0, false, true);
    color_.fromString("255 255 255");
}

int32_t EPlotPaper::setUnits(const DWFUtil::String& units) {
    if (units != "mm" && units != "in") return DWF::DwfResult::InvalidArgument;
    units_.setString(units);
    return DWF::DwfResult::Success;
}

int32_t EPlotPaper::setWidth(double width) {
    if (!(width > 0)) return DWF::DwfResult::InvalidArgument;
    width_.setDouble(width);
    return DWF::DwfResult::Success;
}

int32_t EPlotPaper::setHeight(double height) {
    if (!(height > 0)) return DWF::DwfResult::InvalidArgument;
    height_.setDouble(height);
    return DWF::DwfResult::Success;
}

int32_t EPlotPaper::getClip(DWFUtil::Vector<double>& clip) const { return readList(clip_, clip); }

int32_t EPlotPaper::setClip(const DWFUtil::Vector<double>& clip) { return assignList(clip_, clip, 4); }

int32_t EPlotPaper::getColor(DWFUtil::Vector<int32_t>& color) const { return readList(color_, color); }

int32_t EPlotPaper::setColor(const DWFUtil::Vector<int32_t>& color) { return assignList(color_, color, 3); }

bool EPlotPaper::validate() const {
    if (!show_.isValid() || !units_.isValid() || !width_.isValid() || !height_.isValid()) return false;
    if (!clip_.isValid() || !color_.isValid()) return false;
    if (clip_.isSet()) {
        DWFUtil::Vector<double> clip;
        if (getClip(clip) != DWF::DwfResult::Success || clip.size() != 4) return false;
        for (const double value : clip) {
            if (!(value >= 0)) return false;
        }
    }
    return !color_.isSet() || color_.itemCount() == 3;
}

void EPlotPaper::readAttributes(const DWFManifest::XmlAttributes& attributes) {
    show_.setFromAttributes(attributes);
    units_.setFromAttributes(attributes);
    width_.setFromAttributes(attributes);
    height_.setFromAttributes(attributes);
    clip_.setFromAttributes(attributes);
    color_.setFromAttributes(attributes);
}

void EPlotPaper::serialize(DWFXmlFramework::XmlWriter& writer) const {
    writer.startElement(getName());
    writer.writeAttribute(show_);
    writer.writeAttribute(units_);
    writer.writeAttribute(width_);
    writer.writeAttribute(height_);
    writer.writeAttribute(clip_);
    writer.writeAttribute(color_);
    writer.writeRaw(getText());
    writer.endElement();
}

}  // namespace DWFEPlot
