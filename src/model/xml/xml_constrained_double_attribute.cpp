#include "model/xml/xml_constrained_double_attribute.h"

#include "model/xml/xml_number_text.h"

namespace DWFXmlObjects {

void XmlConstrainedDoubleAttribute::setMinimum(double minimum, bool exclusive, bool lock) {
    if (locked_) return;
    minimum_ = minimum;
    minimumPresent_ = true;
    exclusive_ = exclusive;
    locked_ = lock;
}

bool XmlConstrainedDoubleAttribute::isValid() const {
    if (isRequired() && !isSet()) return false;
    if (!isSet() && !hasDefault()) return true;
    double value = 0;
    if (!parseDoubleText(toString(), value)) return false;
    if (!minimumPresent_) return true;
    return exclusive_ ? value > minimum_ : value >= minimum_;
}

}  // namespace DWFXmlObjects
