// How descriptor objects take their attributes from the parsed ones: as the
// document wrote them, or through the checks of their setters.
#ifndef DWFPLOT_MODEL_EPLOT_ATTRIBUTE_READING_H
#define DWFPLOT_MODEL_EPLOT_ATTRIBUTE_READING_H

#include <initializer_list>

#include "model/manifest/parsed_attributes.h"
#include "model/util/vector.h"
#include "model/xml/xml_attribute_object.h"
#include "model/xml/xml_list_attribute.h"

namespace DWFEPlot {

// Each of `read` takes the value the document set, if any.
inline void readAll(const DWFManifest::XmlAttributes& attributes,
                    std::initializer_list<DWFXmlObjects::XmlAttributeObject*> read) {
    for (DWFXmlObjects::XmlAttributeObject* attribute : read) attribute->setFromAttributes(attributes);
}

// Reads the document's value of `attribute` into a fresh attribute of its
// class and hands that to `take` when there is one, so that the object
// keeps only what its setter accepts, in the setter's form.
template <typename Attribute, typename Take>
void readThrough(const DWFManifest::XmlAttributes& attributes, const Attribute& attribute, Take take) {
    Attribute read(attribute.getPlainText());
    if (read.setFromAttributes(attributes)) take(read);
}

// The same for a list of numbers, handed to `take` when every item parses.
template <typename Take>
void readListThrough(const DWFManifest::XmlAttributes& attributes,
                     const DWFXmlObjects::XmlListOfDoubleAttribute& attribute, Take take) {
    readThrough(attributes, attribute, [&take](const DWFXmlObjects::XmlListOfDoubleAttribute& read) {
        DWFUtil::Vector<double> values;
        if (read.getVector(values)) take(values);
    });
}

}  // namespace DWFEPlot

#endif  // DWFPLOT_MODEL_EPLOT_ATTRIBUTE_READING_H
