// The ePlot flavour of the package reader: it supports the ePlot interface
// and reads each ePlot section's descriptor into a page.
#ifndef DWFPLOT_PACKAGE_READER_EPLOT_DWF_READER_H
#define DWFPLOT_PACKAGE_READER_EPLOT_DWF_READER_H

#include <map>
#include <string>

#include "model/eplot/eplot_page.h"
#include "model/manifest/section.h"
#include "model/util/vector.h"
#include "package/reader/dwf_reader.h"

namespace DWFEPlot {

class EPlotDwfReader : public DWFReader::DwfReader {
public:
    EPlotDwfReader(const DWFUtil::String& packagePath, const DWFUtil::String& password);

    void setRootBuilder(const DWFUtil::ObjectRef<DWFXmlBuilder::XmlBuilder>& builder) override;

    // The pages of the package's ePlot sections, in manifest order; read on
    // the first call. A descriptor that builds no page throws XmlBuildFailed.
    DWFUtil::Vector<DWFUtil::ObjectRef<EPlotPage>> getEPlotPages();
    // The page read for a section of the manifest, or null.
    DWFUtil::ObjectRef<EPlotPage> getSectionPage(const DWFUtil::ObjectRef<DWFManifest::Section>& section) const;

private:
    DWFUtil::ObjectRef<EPlotPage> parseDescriptor(const DWFUtil::String& href);

    DWFUtil::Vector<DWFUtil::ObjectRef<EPlotPage>> pages_;
    std::map<DWFUtil::ObjectRef<DWFManifest::Section>, DWFUtil::ObjectRef<EPlotPage>> sectionPages_;
    std::map<std::string, DWFUtil::ObjectRef<EPlotPage>> descriptorPages_;
};

}  // namespace DWFEPlot

#endif  // DWFPLOT_PACKAGE_READER_EPLOT_DWF_READER_H
