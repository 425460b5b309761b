// The XML parser driving the manifest builder and the page descriptor
// builder, as the package reader parses manifest.xml and descriptor.xml
// (through an entry stream, with the same size limit); then what the built
// models expose, and the XML writer over the hostile model content.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "dwfplot/DwfResult.h"
#include "fuzz_workspace.h"
#include "model/eplot/eplot_graphic_resource.h"
#include "model/eplot/eplot_page_builder.h"
#include "model/manifest/manifest_builder.h"
#include "model/xml/new_object.h"
#include "model/xml/xml_builder_stack.h"
#include "model/xml/xml_input_stream.h"
#include "model/xml/xml_parser.h"
#include "package/reader/dwf_reader.h"

namespace {

// An entry stream over the input: it delivers at most `piece` bytes a call,
// as the archive's inflater hands over what it has.
class MemoryStream : public DWFUtil::InputStream {
public:
    MemoryStream(const uint8_t* data, size_t size, uint32_t piece) : data_(data), size_(size), piece_(piece) {}
    int64_t read(char* buffer, uint32_t size) override {
        const size_t count = std::min<size_t>({size, piece_, size_ - position_});
        if (count > 0) std::memcpy(buffer, data_ + position_, count);
        position_ += count;
        return static_cast<int64_t>(count);
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
    uint32_t piece_;
};

// The builder stack the package reader is, parsing one document.
DWF::DwfResult::Enum parse(const uint8_t* data, size_t size, const DWFUtil::ObjectRef<DWFXmlBuilder::XmlBuilder>& root) {
    DWFXmlBuilder::XmlBuilderStack stack;
    stack.setRootBuilder(root);
    DWFUtil::XmlParser parser(&stack);
    MemoryStream stream(data, size, size % 2 == 0 ? 65536 : 4093);
    try {
        return parser.parseStream(&stream, DWFReader::DwfReader::kDocumentSizeLimit);
    } catch (DWF::DwfResult::Enum code) {
        // Builders refuse documents (unsupported versions) by throwing.
        return code;
    }
}

template <class T>
void touchList(const DWFUtil::ObjectRef<T>& list) {
    if (list.isNull()) return;
    for (uint32_t i = 0; i < list->size(); ++i) {
        if (!(*list)[i].isNull()) (*list)[i]->toXml();
    }
}

void touchManifest(const DWFManifest::Manifest& manifest) {
    manifest.validate();
    manifest.getVersion().toUtf8();
    manifest.getObjectId().toUtf8();
    touchList(manifest.getInterfaces());
    touchList(manifest.getProperties());
    const auto& sections = manifest.getSections();
    for (uint32_t i = 0; !sections.isNull() && i < sections->size(); ++i) {
        const auto& section = (*sections)[i];
        if (section.isNull()) continue;
        section->getSectionName().toUtf8();
        section->getType().toUtf8();
        section->getTitle().toUtf8();
        if (!section->getSource().isNull()) section->getSource()->getHref().toUtf8();
        touchList(section->getToc());
    }
    manifest.toXml().toUtf8();
}

void touchPage(const DWFEPlot::EPlotPage& page) {
    page.validate();
    DWFUtil::Vector<int32_t> colour;
    page.getColor(colour);
    page.getPageName().toUtf8();
    if (!page.getPaper().isNull()) {
        const DWFEPlot::EPlotPaper& paper = *page.getPaper();
        DWFUtil::Vector<double> clip;
        paper.getClip(clip);
        paper.getColor(colour);
        paper.getWidth();
        paper.getHeight();
        paper.getUnits().toUtf8();
        paper.validate();
    }
    touchList(page.getProperties());
    const auto& resources = page.getResources();
    for (uint32_t i = 0; !resources.isNull() && i < resources->size(); ++i) {
        const auto& resource = (*resources)[i];
        if (resource.isNull()) continue;
        resource->getRole().toUtf8();
        resource->getHref().toUtf8();
        resource->getSize();
        if (const auto* graphic = dynamic_cast<const DWFEPlot::EPlotGraphicResource*>(resource.Object())) {
            DWFUtil::Vector<double> values;
            graphic->getTransform(values);
            graphic->getExtents(values);
            graphic->getClip(values);
            graphic->getOrientation();
        }
        if (const auto* image = dynamic_cast<const DWFEPlot::EPlotImageResource*>(resource.Object())) {
            DWFUtil::Vector<double> extents;
            image->getOriginalExtents(extents);
        }
        resource->toXml();
    }
    page.toXml().toUtf8();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::enterWorkspace();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        const auto builder = DWFXmlFramework::newObject<DWFManifestBuilders::ManifestBuilder>();
        if (parse(data, size, builder) == DWF::DwfResult::Success && !builder->getManifest().isNull()) {
            touchManifest(*builder->getManifest());
        }
    }
    {
        const auto builder = DWFXmlFramework::newObject<DWFEPlot::EPlotPageBuilder>();
        if (parse(data, size, builder) == DWF::DwfResult::Success && !builder->getPage().isNull()) {
            touchPage(*builder->getPage());
        }
    }
    fuzz::requireNothingLeft();
    return 0;
}
