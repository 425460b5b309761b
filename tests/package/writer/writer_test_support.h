// A section manager that records what the package writer tells it, a test
// section with a one-element descriptor, and helpers to look into packages.
#ifndef DWFPLOT_TESTS_PACKAGE_WRITER_WRITER_TEST_SUPPORT_H
#define DWFPLOT_TESTS_PACKAGE_WRITER_WRITER_TEST_SUPPORT_H

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/manifest/manifest.h"
#include "model/xml/xml_writer.h"
#include "package/writer/section_descriptor.h"
#include "package/writer/section_manager.h"
#include "package/writer/xml_object_resource_handler.h"
#include "package/zip/archive_reader.h"
#include "platform/unicode.h"

namespace writertest {

inline DWFUtil::String str(const std::string& text) { return DWFUtil::String::fromUtf8(text); }

class RecordingManager : public DWFWriter::SectionManager {
public:
    virtual ~RecordingManager() = default;

    void makeSectionName(const DWFUtil::String& type, DWFUtil::String& name) override {
        name = type + "_" + str(std::to_string(++sectionCount));
    }
    void sectionOpened(DWFWriter::SectionDescriptor& descriptor) override {
        sections.push_back(descriptor.getSectionName().toUtf8());
    }
    void addInterface(const DWFUtil::String&, const DWFUtil::String&, const DWFUtil::String&) override {}
    void addProperty(const DWFUtil::String&, const DWFUtil::String&) override {}
    void addProperty(const DWFUtil::String&, const platform::Variant&) override {}
    DWFUtil::ObjectRef<DWFManifest::Source> sectionSource(const DWFUtil::String&) override { return {}; }
    DWFUtil::ObjectRef<DWFManifest::Section> findSection(const DWFUtil::String&) override { return {}; }
    void addDependency(const DWFUtil::String&, const DWFUtil::String&) override {}
    void makeResourceName(const DWFUtil::String&, const DWFUtil::String& extension, DWFUtil::String& name) override {
        name = str("res" + std::to_string(++resourceCount));
        if (!extension.empty()) name += str(".") + extension;
    }
    bool resourceAdded(const DWFUtil::String& section, const DWFUtil::String& href, const DWFUtil::String& role,
                       const DWFUtil::String& mime) override {
        const std::string known = section.toUtf8();
        for (const std::string& s : sections) {
            if (s == known) {
                resources.push_back(href.toUtf8() + "|" + role.toUtf8() + "|" + mime.toUtf8());
                return true;
            }
        }
        return false;
    }
    DWFUtil::ObjectRef<DWFManifest::Manifest> buildManifest() override {
        ++manifestsBuilt;
        return DWFUtil::ObjectRef<DWFManifest::Manifest>(new DWFManifest::Manifest());
    }

    int sectionCount = 0;
    int resourceCount = 0;
    int manifestsBuilt = 0;
    std::vector<std::string> sections;
    std::vector<std::string> resources;  // href|role|mime
};

class TestPage : public DWFXmlObjects::XmlObject {
public:
    TestPage() : XmlObject("Page") {}
    bool validate() const override { return true; }
    void serialize(DWFXmlFramework::XmlWriter& writer) const override { writer.writeRaw("<Page/>"); }
};

template <typename Base = DWFWriter::SectionDescriptor>
class TestSection : public Base {
public:
    TestSection(DWFWriter::SectionManager& manager, DWFWriter::DwfWriter& writer)
        : Base(manager, writer, "test.Type", "Title", DWFUtil::String(), "Source", "Page 1") {
        this->setDescriptorHandler(DWFUtil::ObjectRef<DWFWriter::ResourceHandler>(new DWFWriter::XmlObjectResourceHandler(
            DWFUtil::ObjectRef<DWFXmlObjects::XmlObject>(new TestPage()), "descriptor.xml", "descriptor")));
    }
};

// The entry names of a package in directory order, through our reader.
inline std::vector<std::string> entryNames(const std::string& path) {
    std::vector<std::string> names;
    auto reader = DWFZip::ArchiveReader::open(platform::utf8ToUtf16(path));
    EXPECT_TRUE(reader);
    if (!reader) return names;
    for (int32_t rc = reader->firstEntry(); rc == 0; rc = reader->nextEntry()) {
        char name[256] = {};
        reader->entryInfo(nullptr, name, sizeof name, nullptr, 0, nullptr, 0);
        names.emplace_back(name);
    }
    return names;
}

inline std::string entryContent(const std::string& path, const std::string& name) {
    auto reader = DWFZip::ArchiveReader::open(platform::utf8ToUtf16(path));
    if (!reader || reader->locateEntry(name.c_str(), 1) != 0 || reader->openEntry("") != 0) return "<missing>";
    std::string out;
    char buffer[4096];
    for (int32_t n; (n = reader->readEntry(buffer, sizeof buffer)) > 0;) out.append(buffer, static_cast<size_t>(n));
    EXPECT_EQ(reader->closeEntry(), 0);
    return out;
}

inline int run(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace writertest

#endif  // DWFPLOT_TESTS_PACKAGE_WRITER_WRITER_TEST_SUPPORT_H
