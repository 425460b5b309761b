// Reads an XML text with a given root builder, as the package reader does.
#ifndef DWFPLOT_TESTS_MODEL_MANIFEST_DOCUMENT_READING_H
#define DWFPLOT_TESTS_MODEL_MANIFEST_DOCUMENT_READING_H

#include <cstdlib>
#include <string>

#include "model/util/object_ref.h"
#include "model/xml/new_object.h"
#include "model/xml/xml_builder.h"
#include "model/xml/xml_builder_stack.h"
#include "model/xml/xml_parser.h"
#include "support/temp_dir_test.h"

namespace modeltest {

// The code `action` throws, or Success.
template <typename Action>
int32_t thrownBy(Action action) {
    try {
        action();
    } catch (DWF::DwfResult::Enum code) {
        return code;
    }
    return DWF::DwfResult::Success;
}

// The parse result, or the code a builder throws.
inline int32_t readDocument(const std::string& text, const DWFUtil::ObjectRef<DWFXmlBuilder::XmlBuilder>& root) {
    DWFXmlBuilder::XmlBuilderStack stack;
    stack.setRootBuilder(root);
    DWFUtil::XmlParser parser(&stack);
    try {
        return parser.parseBuffer(text.data(), text.size());
    } catch (DWF::DwfResult::Enum code) {
        return code;
    }
}

// A fresh builder of class B that has read `text`.
template <typename B>
DWFUtil::ObjectRef<B> readWith(const std::string& text, int32_t* result = nullptr) {
    DWFUtil::ObjectRef<B> builder = DWFXmlFramework::newObject<B>();
    const int32_t code = readDocument(text, builder);
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

}  // namespace modeltest

#endif  // DWFPLOT_TESTS_MODEL_MANIFEST_DOCUMENT_READING_H
