// The attributes of an element as the parser read them, from which the
// model classes take their values.
#ifndef DWFPLOT_MODEL_MANIFEST_PARSED_ATTRIBUTES_H
#define DWFPLOT_MODEL_MANIFEST_PARSED_ATTRIBUTES_H

#include "model/util/vector.h"
#include "model/xml/xml_parser.h"

namespace DWFManifest {

using XmlAttributes = DWFUtil::Vector<DWFUtil::XmlParser::Attribute>;

}  // namespace DWFManifest

#endif  // DWFPLOT_MODEL_MANIFEST_PARSED_ATTRIBUTES_H
