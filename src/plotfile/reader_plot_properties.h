// The package properties through which the plot reader recognises the
// packages of this library and reads the plot's scale, units and encoding.
#ifndef DWFPLOT_PLOTFILE_READER_PLOT_PROPERTIES_H
#define DWFPLOT_PLOTFILE_READER_PLOT_PROPERTIES_H

#include <string>
#include <vector>

#include "model/util/string.h"

namespace DWFReader {
class DwfReader;
}

namespace DWFPlotReader {

struct PlotProperty {
    std::string name;       // UTF-8
    DWFUtil::String value;
};

// The manifest's properties in manifest order, without the product
// properties ("SourceProductVendor", ...); only the properties a package of
// this library carries come with their values. Throws what the package
// throws.
std::vector<PlotProperty> plotProperties(DWFReader::DwfReader& package);

// Whether the properties mark a package of this library in a version this
// reader replays. On false `message` says why ("PLT_OLD_FILE_FORMAT",
// "PLT_NEW_FILE_FORMAT", "PLT_NOT_A_KESTRA_GENERATED_FILE"); on true it is
// left alone.
bool checkPlotProperties(const std::vector<PlotProperty>& properties, std::string& message);

// A property value as the host's narrow text.
std::string hostText(const DWFUtil::String& value);

// A scale value: leading white space skipped, the longest number taken;
// 0.0 when there is none.
double scaleValue(const DWFUtil::String& value);

}  // namespace DWFPlotReader

#endif  // DWFPLOT_PLOTFILE_READER_PLOT_PROPERTIES_H
