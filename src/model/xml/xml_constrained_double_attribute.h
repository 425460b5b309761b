// A double attribute with a lower bound. The bound is checked when the
// attribute is validated, not when a value is assigned.
#ifndef DWFPLOT_MODEL_XML_XML_CONSTRAINED_DOUBLE_ATTRIBUTE_H
#define DWFPLOT_MODEL_XML_XML_CONSTRAINED_DOUBLE_ATTRIBUTE_H

#include "model/xml/xml_double_attribute.h"

namespace DWFXmlObjects {

class XmlConstrainedDoubleAttribute : public XmlDoubleAttribute {
public:
    using XmlDoubleAttribute::XmlDoubleAttribute;

    // Ignored while the minimum is locked.
    void setMinimum(double minimum, bool exclusive, bool lock);
    bool hasMinimum() const { return minimumPresent_; }

    // Required: must be set. Neither set nor defaulted: valid. Otherwise the
    // text must read as a double above (exclusive) or at least (inclusive)
    // the minimum.
    bool isValid() const override;

private:
    double minimum_ = 0;
    bool minimumPresent_ = false;
    bool exclusive_ = false;
    bool locked_ = false;
};

}  // namespace DWFXmlObjects

#endif  // DWFPLOT_MODEL_XML_XML_CONSTRAINED_DOUBLE_ATTRIBUTE_H
