// A parser callback that logs what it is told, a stream that hands out text in pieces, a small document model,
// and documents read with a given root builder, as the package reader does.
#ifndef DWFPLOT_TESTS_MODEL_XML_XML_TEST_SUPPORT_H
#define DWFPLOT_TESTS_MODEL_XML_XML_TEST_SUPPORT_H

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "model/xml/new_object.h"
#include "model/xml/xml_builder_stack.h"
#include "model/xml/xml_object.h"
#include "model/xml/xml_string_attribute.h"
#include "model/xml/xml_writer.h"
#include "support/temp_dir_test.h"
#include "support/thrown_by.h"

namespace xmltest {

using DWFUtil::ObjectRef;
using DWFUtil::String;

class EventLog : public DWFUtil::IXmlParserCallback {
public:
    void startElement(const DWFUtil::XmlNode& node) override {
        log += "<" + node.name.toUtf8();
        for (const auto& a : node.attributes) log += " " + a.name.toUtf8() + "=[" + a.value.toUtf8() + "]";
        log += ">";
    }
    void startPrefixMapping(const String& uri, const String& prefix, const String& location) override {
        log += "{" + prefix.toUtf8() + "|" + uri.toUtf8() + "|" + location.toUtf8() + "}";
    }
    void endElement(const DWFUtil::XmlNode& node) override {
        log += "</" + node.name.toUtf8() + (node.text.empty() ? "" : " '" + node.text.toUtf8() + "'") + ">";
    }
    void endPrefixMapping(const String& uri) override { log += "{/" + uri.toUtf8() + "}"; }

    std::string log;
};

// Hands out `text` in pieces of at most `piece` bytes, then answers `end`.
class PieceStream : public DWFUtil::InputStream {
public:
    PieceStream(std::string text, uint32_t piece, int64_t end = 0) : text_(std::move(text)), piece_(piece), end_(end) {}
    int64_t read(char* buffer, uint32_t size) override {
        const size_t count = std::min<size_t>({size, piece_, text_.size() - pos_});
        if (count == 0) return end_;
        std::memcpy(buffer, text_.data() + pos_, count);
        pos_ += count;
        return static_cast<int64_t>(count);
    }

private:
    std::string text_;
    uint32_t piece_;
    int64_t end_;
    size_t pos_ = 0;
};

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

using testsupport::thrownBy;

// The parse result, or the code a builder throws.
inline int32_t readDocument(const std::string& text, const ObjectRef<DWFXmlBuilder::XmlBuilder>& root,
                            DWFXmlBuilder::XmlBuilderStack& stack) {
    stack.setRootBuilder(root);
    DWFUtil::XmlParser parser(&stack);
    int32_t result = DWF::DwfResult::Success;
    const int32_t thrown = thrownBy([&] { result = parser.parseBuffer(text.data(), text.size()); });
    return thrown == DWF::DwfResult::Success ? result : thrown;
}

// A fresh builder of class B that has read `text`.
template <typename B>
ObjectRef<B> readWith(const std::string& text, int32_t* result = nullptr) {
    ObjectRef<B> builder = DWFXmlFramework::newObject<B>();
    DWFXmlBuilder::XmlBuilderStack stack;
    const int32_t code = readDocument(text, builder, stack);
    if (result) *result = code;
    return builder;
}

inline std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// Whether xmllint, a checker we did not write, finds `document` well formed.
inline bool xmllintAccepts(const std::string& directory, const std::string& document) {
    const std::string path = directory + "document.xml";
    testsupport::writeFile(path, document);
    return std::system(("xmllint --noout '" + path + "' 2>&1").c_str()) == 0;
}

}  // namespace xmltest

#endif  // DWFPLOT_TESTS_MODEL_XML_XML_TEST_SUPPORT_H
