#include "package/writer/eplot_page_descriptor.h"

#include <new>

#include "model/eplot/eplot_identifiers.h"
#include "model/util/allocation.h"
#include "model/xml/new_object.h"
#include "package/writer/xml_object_resource_handler.h"

namespace DWFEPlot {
namespace {

// The page's descriptor, its names bound to the ePlot namespace just before
// it is written, so resources added while the page was open carry the
// prefix too.
class PageDescriptorHandler : public DWFWriter::XmlObjectResourceHandler {
public:
    PageDescriptorHandler(const DWFUtil::ObjectRef<EPlotPage>& page,
                          const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace)
        : XmlObjectResourceHandler(page, DWFWriter::SectionDescriptor::kDescriptorName,
                                   DWFWriter::SectionDescriptor::kDescriptorRole),
          page_(page),
          namespace_(nameSpace) {}

    bool writeContent(DWFWriter::DwfResourceWriter& output) override {
        page_->addNamespace(namespace_, kEPlotPrefix);
        return XmlObjectResourceHandler::writeContent(output);
    }

private:
    DWFUtil::ObjectRef<EPlotPage> page_;
    DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace> namespace_;
};

}  // namespace

EPlotPageDescriptor::EPlotPageDescriptor(DWFWriter::SectionManager& manager, DWFWriter::DwfWriter& writer,
                                         const DWFUtil::String& title, const DWFUtil::String& objectId,
                                         const DWFUtil::String& source, const DWFUtil::String& pageName,
                                         const DWFUtil::String& name)
    : SectionDescriptor(manager, writer, kEPlotSectionType, title, objectId, source, pageName, name),
      page_(DWFXmlFramework::newObject<EPlotPage>()),
      namespace_(DWFXmlFramework::newObject<EPlotNamespace>()) {
    if (!pageName.empty()) page_->setPageName(pageName);
    setDescriptorHandler(DWFXmlFramework::newObject<PageDescriptorHandler>(page_, namespace_));
}

bool EPlotPageDescriptor::addGraphicResource(const DWFUtil::ObjectRef<EPlotGraphicResource>& resource,
                                             DWFWriter::FileResourceHandler& handler) {
    if (resource.Object() == nullptr) throw DWF::DwfResult::InvalidArgument;
    DWFUtil::String href;
    uint64_t size = 0;
    if (!storeResource(handler, href, size)) return false;
    resource->setHref(href);
    resource->setRole(handler.getRole());
    resource->setMime(handler.getMime());
    resource->setTitle(handler.getSourceFileName());
    resource->setSize(static_cast<int32_t>(size));
    page_->getResources()->add(resource);
    return true;
}

std::unique_ptr<EPlotPageDescriptor> openPageSection(DWFWriter::SectionManager& manager, DWFWriter::DwfWriter& writer,
                                                     const DWFUtil::String& title, const DWFUtil::String& objectId,
                                                     const DWFUtil::String& source, const DWFUtil::String& pageName,
                                                     const DWFUtil::String& name) {
    try {
        return std::make_unique<EPlotPageDescriptor>(manager, writer, title, objectId, source, pageName, name);
    } catch (const std::bad_alloc&) {
        DWFUtil::throwOutOfMemory();
    }
}

bool addGraphicResource(EPlotPageDescriptor& page, const DWFUtil::ObjectRef<EPlotGraphicResource>& resource,
                        DWFWriter::FileResourceHandler& handler) {
    return page.addGraphicResource(resource, handler);
}

}  // namespace DWFEPlot
