#include "plotfile/reader_plot_properties.h"

#include <cctype>
#include <charconv>
#include <string_view>

#include "dwfplot/DWFPlotFile.h"
#include "model/manifest/property.h"
#include "package/reader/dwf_reader.h"
#include "platform/code_page.h"

namespace DWFPlotReader {
namespace {

// The properties a package of this library carries besides the products.
bool isPlotPackageProperty(std::string_view name) {
    using namespace DWFPlotProperties;
    for (const char* known : {DwfFrameworkVersion, DwfToolkitVersion, Encoding, PlotFileVersion, XScale, YScale,
                              Units}) {
        if (name == known) return true;
    }
    return false;
}

}  // namespace

std::vector<PlotProperty> plotProperties(DWFReader::DwfReader& package) {
    DWFUtil::String sourceVendor, sourceName, sourceVersion, packagerVendor, packagerVersion;
    DWFUtil::Vector<DWFUtil::ObjectRef<DWFManifest::AnyProperty>> others;
    package.getManifestProperties(sourceVendor, sourceName, sourceVersion, packagerVendor, packagerVersion, others);
    std::vector<PlotProperty> properties;
    for (uint32_t i = 0; i < others.size(); ++i) {
        const DWFManifest::AnyProperty* property = others[i].Object();
        if (property == nullptr) continue;
        PlotProperty entry{property->getPropertyName().toUtf8(), {}};
        // Only the plot's own values are read; another producer's may be
        // most of the manifest, and a copy of them is not needed.
        const auto* simple = dynamic_cast<const DWFManifest::SimpleProperty*>(property);
        if (simple && isPlotPackageProperty(entry.name)) entry.value = simple->getValue();
        properties.push_back(std::move(entry));
    }
    return properties;
}

bool checkPlotProperties(const std::vector<PlotProperty>& properties, std::string& message) {
    using namespace DWFPlotProperties;
    bool versionOk = true;
    bool marked = false;
    for (const PlotProperty& property : properties) {
        const std::string value = property.value.toUtf8();
        if (property.name == DwfToolkitVersion && value == ReadOnlyMark) {
            marked = true;
        } else if (property.name == PlotFileVersion) {
            if (value == OldPlotFileVersion10 || value == OldPlotFileVersion11) {
                versionOk = false;
                message = PLT_OLD_FILE_FORMAT;
            } else if (value != CurrentPlotFileVersion) {
                versionOk = false;
                message = PLT_NEW_FILE_FORMAT;
            }
        } else if (!isPlotPackageProperty(property.name)) {
            // Another producer added to the package: not ours any more.
            marked = false;
            break;
        }
    }
    if (!marked) message = PLT_NOT_A_KESTRA_GENERATED_FILE;
    return versionOk && marked;
}

std::string hostText(const DWFUtil::String& value) { return platform::utf16ToActiveCodePage(value.wideView()); }

// The longest number at the start of the text, 0 when there is none, read with
// the C locale's decimal point whatever the host's locale.
double scaleValue(const DWFUtil::String& value) {
    const std::string text = value.toUtf8();
    const char* first = text.data();
    const char* const last = first + text.size();
    while (first != last && std::isspace(static_cast<unsigned char>(*first))) ++first;
    if (first != last && *first == '+') ++first;
    double scale = 0;
    if (std::from_chars(first, last, scale).ec != std::errc()) return 0;
    return scale;
}

}  // namespace DWFPlotReader
