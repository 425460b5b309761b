// The section of one plot page: an ePlot section whose descriptor is the
// page (EPlotPage) with its paper and resources, written as the section's
// "descriptor.xml" when the section closes.
#ifndef DWFPLOT_PACKAGE_WRITER_EPLOT_PAGE_DESCRIPTOR_H
#define DWFPLOT_PACKAGE_WRITER_EPLOT_PAGE_DESCRIPTOR_H

#include <memory>

#include "model/eplot/eplot_graphic_resource.h"
#include "model/eplot/eplot_namespace.h"
#include "model/eplot/eplot_page.h"
#include "package/writer/dwf_writer.h"
#include "package/writer/file_resource_handler.h"
#include "package/writer/section_descriptor.h"

namespace DWFEPlot {

class EPlotPageDescriptor : public DWFWriter::SectionDescriptor {
public:
    // An ePlot section titled `title`; its page is named `pageName`.
    EPlotPageDescriptor(DWFWriter::SectionManager& manager, DWFWriter::DwfWriter& writer,
                        const DWFUtil::String& title, const DWFUtil::String& objectId,
                        const DWFUtil::String& source, const DWFUtil::String& pageName,
                        const DWFUtil::String& name = DWFUtil::String());

    const DWFUtil::ObjectRef<EPlotPage>& getPage() const { return page_; }
    const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& getNamespace() const { return namespace_; }

    // Writes the handler's file as the page's graphics entry at once, fills
    // the resource's href, role, MIME type, title (the file's name) and
    // size, and adds it to the page. False when the entry was not written.
    bool addGraphicResource(const DWFUtil::ObjectRef<EPlotGraphicResource>& resource,
                            DWFWriter::FileResourceHandler& handler);

private:
    DWFUtil::ObjectRef<EPlotPage> page_;
    DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace> namespace_;
};

// What the plot writer calls when a page opens.
std::unique_ptr<EPlotPageDescriptor> openPageSection(DWFWriter::SectionManager& manager, DWFWriter::DwfWriter& writer,
                                                     const DWFUtil::String& title, const DWFUtil::String& objectId,
                                                     const DWFUtil::String& source, const DWFUtil::String& pageName,
                                                     const DWFUtil::String& name = DWFUtil::String());

// What the plot writer calls when a page closes: the page's graphics.
bool addGraphicResource(EPlotPageDescriptor& page, const DWFUtil::ObjectRef<EPlotGraphicResource>& resource,
                        DWFWriter::FileResourceHandler& handler);

}  // namespace DWFEPlot

#endif  // DWFPLOT_PACKAGE_WRITER_EPLOT_PAGE_DESCRIPTOR_H
