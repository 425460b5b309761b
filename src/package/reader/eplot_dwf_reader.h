// The ePlot flavour of the package reader: it supports the ePlot interface
// and reads each ePlot section's descriptor into a page.
#ifndef DWFPLOT_PACKAGE_READER_EPLOT_DWF_READER_H
#define DWFPLOT_PACKAGE_READER_EPLOT_DWF_READER_H

#include <functional>
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
    // The same pages one at a time, each read when its turn comes and kept
    // by nobody but `visit`: a package of many pages never holds them all.
    // Throws as getEPlotPages does, after the pages before the failure.
    void forEachEPlotPage(const std::function<void(const DWFUtil::ObjectRef<EPlotPage>&)>& visit);

private:
    using SectionPageVisitor = std::function<void(const DWFUtil::ObjectRef<DWFManifest::Section>&,
                                                  const DWFUtil::ObjectRef<EPlotPage>&)>;

    // Reads the descriptor of every ePlot section in manifest order;
    // `keep` keeps each page for later lookups.
    void visitPages(bool keep, const SectionPageVisitor& visit);
    DWFUtil::ObjectRef<EPlotPage> parseDescriptor(const DWFUtil::String& href, bool keep);

    DWFUtil::Vector<DWFUtil::ObjectRef<EPlotPage>> pages_;
    std::map<DWFUtil::ObjectRef<DWFManifest::Section>, DWFUtil::ObjectRef<EPlotPage>> sectionPages_;
    std::map<std::string, DWFUtil::ObjectRef<EPlotPage>> descriptorPages_;
};

}  // namespace DWFEPlot

#endif  // DWFPLOT_PACKAGE_READER_EPLOT_DWF_READER_H
