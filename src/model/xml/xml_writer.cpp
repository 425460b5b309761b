#include "model/xml/xml_writer.h"

#include "model/xml/xml_attribute_object.h"
#include "model/xml/xml_escape.h"
#include "model/xml/xml_object.h"
#include "model/xml/xml_schema_instance.h"

namespace DWFXmlFramework {

XmlWriter::~XmlWriter() {
    try {
        flush();
    } catch (...) {
        // Out of memory while handing over the text: the owner reads what arrived.
    }
}

void XmlWriter::startObject(const DWFXmlObjects::XmlObject& object) {
    for (const auto& mapping : object.getPrefixMappings()) scope_[mapping->getUri()] = mapping;
    startElement(object.getName());
    writeNamespaceDeclarations(object.getPrefixMappings());
}

void XmlWriter::startElement(const DWFUtil::ObjectRef<XmlName>& name) {
    if (name.isNull()) throw DWF::DwfResult::InvalidArgument;
    closeStartTag();
    pending_ += '<';
    appendQualifiedName(*name);
    open_.push_back(name);
    startTagOpen_ = true;
}

void XmlWriter::writeNamespaceDeclarations(const XmlPrefixMappingList& mappings) {
    std::string locations;
    bool noNamespaceTaken = false;
    DWFUtil::String noNamespaceLocation;
    for (const auto& mapping : mappings) {
        if (mapping->getPrefix() == kXmlSchemaInstancePrefix) continue;
        const DWFUtil::String& location = mapping->getSchemaLocation();
        if (!mapping->getUri().empty()) {
            pending_ += " xmlns";
            if (!mapping->getPrefix().empty()) {
                pending_ += ':';
                append(mapping->getPrefix());
            }
            pending_ += '=';
            appendQuoted(mapping->getUri());
            if (!location.empty()) {
                if (!locations.empty()) locations += ' ';
                appendXmlEscaped(locations, mapping->getUri(), true);
                locations += ' ';
                appendXmlEscaped(locations, location, true);
            }
        } else if (!location.empty() && !noNamespaceTaken) {
            noNamespaceTaken = true;
            noNamespaceLocation = location;
        }
    }
    if (locations.empty() && !noNamespaceTaken) return;
    if (!schemaInstanceDeclared_) {
        pending_ += " xmlns:xsi=\"";
        pending_ += kXmlSchemaInstanceNamespace;
        pending_ += '"';
        schemaInstanceDeclared_ = true;
    }
    if (noNamespaceTaken) {
        pending_ += ' ';
        pending_ += kNoNamespaceSchemaLocationAttribute;
        pending_ += '=';
        appendQuoted(noNamespaceLocation);
    }
    if (!locations.empty()) {
        pending_ += ' ';
        pending_ += kSchemaLocationAttribute;
        pending_ += "=\"";
        pending_ += locations;
        pending_ += '"';
    }
}

void XmlWriter::writeAttribute(const DWFXmlObjects::XmlAttributeObject& attribute) {
    if (!startTagOpen_ || !attribute.isSet()) return;
    const DWFUtil::ObjectRef<XmlName> name = attribute.getName();
    if (name.isNull() || name->isEmpty()) return;
    pending_ += ' ';
    appendQualifiedName(*name);
    pending_ += '=';
    appendQuoted(attribute.toString());
}

void XmlWriter::writeText(const DWFUtil::String& text) {
    if (text.empty()) return;
    closeStartTag();
    appendXmlEscaped(pending_, text, false);
}

void XmlWriter::writeRaw(const DWFUtil::String& text) {
    if (text.empty()) return;
    closeStartTag();
    append(text);
}

void XmlWriter::endElement() {
    if (open_.empty()) return;
    if (startTagOpen_) {
        pending_ += " />";
        startTagOpen_ = false;
    } else {
        pending_ += "</";
        appendQualifiedName(*open_.back());
        pending_ += '>';
    }
    open_.pop_back();
    if (open_.empty()) flush();
}

void XmlWriter::endObject() {
    endElement();
    scope_.clear();
}

void XmlWriter::endObject(const XmlPrefixMappingList& mappings) {
    endElement();
    for (const auto& mapping : mappings) scope_.erase(mapping->getUri());
}

int32_t XmlWriter::flush() {
    if (!pending_.empty()) {
        const int32_t answer = output_.write(DWFUtil::String::fromUtf8(pending_));
        pending_.clear();
        if (answer < 0) failed_ = true;
    }
    return failed_ ? -1 : 1;
}

DWFUtil::String XmlWriter::qualifiedName(const XmlName& name) const {
    if (!name.getNamespace().empty()) {
        const auto* found = scope_.find(name.getNamespace());
        if (found != scope_.end() && !found->second->getPrefix().empty()) {
            return found->second->getPrefix() + ":" + name.effectiveName();
        }
    }
    return name.effectiveName();
}

void XmlWriter::closeStartTag() {
    if (!startTagOpen_) return;
    pending_ += '>';
    startTagOpen_ = false;
}

void XmlWriter::appendQualifiedName(const XmlName& name) { append(qualifiedName(name)); }

void XmlWriter::append(const DWFUtil::String& text) { pending_.append(text.chars(), text.narrowLength()); }

void XmlWriter::appendQuoted(const DWFUtil::String& text) {
    pending_ += '"';
    appendXmlEscaped(pending_, text, true);
    pending_ += '"';
}

}  // namespace DWFXmlFramework
