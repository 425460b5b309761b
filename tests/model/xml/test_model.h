// A small model in the style of the manifest and ePlot layers, for the
// writer and builder tests: a document holding items.
#ifndef DWFPLOT_TESTS_MODEL_XML_TEST_MODEL_H
#define DWFPLOT_TESTS_MODEL_XML_TEST_MODEL_H

#include "model/util/vector.h"
#include "model/xml/new_object.h"
#include "model/xml/xml_object.h"
#include "model/xml/xml_string_attribute.h"
#include "model/xml/xml_writer.h"

namespace xmltest {

using DWFUtil::ObjectRef;
using DWFUtil::String;

class TestNamespace : public DWFXmlFramework::XmlNamespace {
public:
    TestNamespace(const String& uri, const String& location) : XmlNamespace(uri, location) {
        declareName("Doc");
        declareName("Item");
        declareName("href");
    }
};

class Item : public DWFXmlObjects::XmlObject {
public:
    Item() : XmlObject("Item") {}
    bool validate() const override { return name.isValid(); }
    bool bindNamespace(const ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) override {
        href.bindNamespace(nameSpace);
        return XmlObject::bindNamespace(nameSpace);
    }
    void serialize(DWFXmlFramework::XmlWriter& writer) const override {
        writer.startElement(getName());
        writer.writeAttribute(name);
        writer.writeAttribute(href);
        writer.writeText(content);
        writer.endElement();
    }

    DWFXmlObjects::XmlStringAttribute name{"name", true};
    DWFXmlObjects::XmlStringAttribute href{"href"};
    String content;
};

class Doc : public DWFXmlObjects::XmlObject {
public:
    Doc() : XmlObject("Doc") {}
    bool validate() const override { return version.isValid(); }
    bool bindNamespace(const ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) override {
        for (const auto& item : items) item->bindNamespace(nameSpace);
        return XmlObject::bindNamespace(nameSpace);
    }
    void serialize(DWFXmlFramework::XmlWriter& writer) const override {
        writer.startObject(*this);
        writer.writeAttribute(version);
        for (const auto& item : items) item->serialize(writer);
        writer.writeRaw(getText());
        writer.endObject();
    }
    ObjectRef<Item> addItem(const String& name, const String& href = String()) {
        ObjectRef<Item> item = DWFXmlFramework::newObject<Item>();
        item->name.setString(name);
        if (!href.empty()) item->href.setString(href);
        items.push_back(item);
        return item;
    }

    DWFXmlObjects::XmlStringAttribute version{"version", true};
    DWFUtil::Vector<ObjectRef<Item>> items;
};

}  // namespace xmltest

#endif  // DWFPLOT_TESTS_MODEL_XML_TEST_MODEL_H
