// The number forms of typed attributes, independent of the process locale:
// integers in decimal, doubles as printf's "%.32g" gives them.
#ifndef DWFPLOT_MODEL_XML_XML_NUMBER_TEXT_H
#define DWFPLOT_MODEL_XML_XML_NUMBER_TEXT_H

#include <cstdint>

#include "model/util/string.h"

namespace DWFXmlObjects {

// Empty text fails; otherwise the leading integer after white space and an
// optional sign (trailing text ignored, no digits gives 0); fails only when
// the value does not fit 32 bits.
bool parseLongText(const DWFUtil::String& text, int32_t& value);
// Empty text fails; otherwise the leading number as the standard conversion
// reads it, decimal or "0x" hexadecimal (trailing text ignored, no number
// gives 0); fails only when the value is out of range.
bool parseDoubleText(const DWFUtil::String& text, double& value);

DWFUtil::String formatLong(int32_t value);
DWFUtil::String formatDouble(double value);

}  // namespace DWFXmlObjects

#endif  // DWFPLOT_MODEL_XML_XML_NUMBER_TEXT_H
