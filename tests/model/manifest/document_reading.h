// Reads an XML text with a given root builder, as the package reader does.
#ifndef DWFPLOT_TESTS_MODEL_MANIFEST_DOCUMENT_READING_H
#define DWFPLOT_TESTS_MODEL_MANIFEST_DOCUMENT_READING_H

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "model/util/object_ref.h"
#include "model/xml/xml_builder.h"
#include "model/xml/xml_builder_stack.h"
#include "model/xml/xml_parser.h"
#include "support/temp_dir_test.h"

namespace modeltest {

// The parse result; exceptions thrown by the builders pass through.
inline DWF::DwfResult::Enum readDocument(const std::string& text,
                                         const DWFUtil::ObjectRef<DWFXmlBuilder::XmlBuilder>& root) {
    DWFXmlBuilder::XmlBuilderStack stack;
    stack.setRootBuilder(root);
    DWFUtil::XmlParser parser(&stack);
    return parser.parseBuffer(text.data(), text.size());
}

// The code a reading throws, or Success.
inline int32_t readingFailure(const std::string& text, const DWFUtil::ObjectRef<DWFXmlBuilder::XmlBuilder>& root) {
    try {
        readDocument(text, root);
    } catch (DWF::DwfResult::Enum code) {
        return code;
    }
    return DWF::DwfResult::Success;
}

// Whether xmllint, a checker we did not write, finds `document` well formed.
inline bool xmllintAccepts(const std::string& directory, const std::string& document) {
    const std::string path = directory + "document.xml";
    testsupport::writeFile(path, document);
    const std::string command = "xmllint --noout '" + path + "' 2>&1";
    const int status = std::system(command.c_str());
    return status == 0;
}

}  // namespace modeltest

#endif  // DWFPLOT_TESTS_MODEL_MANIFEST_DOCUMENT_READING_H
