#include "dwfplot/page_streams.h"

#include <cstring>
#include <new>

#include "dwfplot/DwfResult.h"
#include "model/manifest/manifest.h"
#include "model/manifest/resource.h"
#include "model/manifest/resource_roles.h"
#include "model/manifest/section.h"
#include "package/reader/dwf_reader.h"
#include "platform/file.h"

namespace dwfplot_tool {

PageStreams::PageStreams() = default;
PageStreams::~PageStreams() = default;

// "(DWF V06.00)" and later open a package; before version 6 the same
// prefix started a bare stream.
bool looksLikeW2dStream(const std::string& fileName) {
    const platform::UniqueFd file = platform::openForReading(fileName);
    if (!file.valid()) return false;
    char start[8] = {};
    if (platform::readUpTo(file.get(), start, sizeof start) != static_cast<ssize_t>(sizeof start)) return false;
    if (std::memcmp(start, "(W2D V", 6) == 0) return true;
    return std::memcmp(start, "(DWF V0", 7) == 0 && start[7] >= '0' && start[7] < '6';
}

std::string packageFailureText(int code) {
    switch (code) {
        case DWF::DwfResult::FileOpenFailed: return "cannot open it as a DWF package";
        case DWF::DwfResult::NotFoundInPackage: return "an entry the package names is missing";
        case DWF::DwfResult::XmlParseError: return "manifest.xml is not well-formed XML";
        case DWF::DwfResult::XmlBuildFailed: return "manifest.xml does not describe a package";
        case DWF::DwfResult::InvalidData: return "the package holds invalid data";
        case DWF::DwfResult::CorruptData: return "the package is corrupt";
        case DWF::DwfResult::ArchiveEntryError: return "an entry of the ZIP container is broken";
        case DWF::DwfResult::BadPassword: return "the package is encrypted";
        case DWF::DwfResult::OutOfMemory: return "out of memory";
        default: return "package error " + std::to_string(code);
    }
}

bool PageStreams::open(const std::string& fileName, std::string& error) {
    paths_.clear();
    package_.reset();
    if (!platform::openForReading(fileName).valid()) {
        error = "cannot open " + fileName;
        return false;
    }
    if (looksLikeW2dStream(fileName)) {
        paths_.push_back(fileName);
        return true;
    }
    try {
        return openPackage(fileName, error);
    } catch (const DWF::DwfResult::Enum code) {
        error = packageFailureText(code);
    } catch (const std::bad_alloc&) {
        error = "out of memory";
    }
    paths_.clear();
    return false;
}

bool PageStreams::openPackage(const std::string& fileName, std::string& error) {
    package_ = std::make_unique<DWFReader::DwfReader>(DWFUtil::String::fromUtf8(fileName), DWFUtil::String());
    const auto manifest = package_->getManifest();
    const auto& sections = manifest->getSections();
    for (uint32_t s = 0; !sections.isNull() && s < sections->size(); ++s) {
        const auto& section = (*sections)[s];
        if (section.isNull() || section->getToc().isNull()) continue;
        const auto& toc = *section->getToc();
        for (uint32_t r = 0; r < toc.size(); ++r) {
            if (toc[r].isNull() || toc[r]->getRole() != DWFManifest::kRole2dStreamingGraphics) continue;
            DWFUtil::String path;
            package_->materializeEntry(path, toc[r]->getHref());
            if (!path.empty()) paths_.push_back(path.toUtf8());
        }
    }
    if (paths_.empty()) {
        error = "the package has no 2d streaming graphics";
        return false;
    }
    return true;
}

}  // namespace dwfplot_tool
