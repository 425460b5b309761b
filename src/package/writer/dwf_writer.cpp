#include "package/writer/dwf_writer.h"

#include <sys/stat.h>

#include <exception>
#include <new>
#include <vector>

#include "model/manifest/manifest.h"
#include "model/manifest/manifest_namespace.h"
#include "model/util/allocation.h"
#include "model/xml/xml_writer.h"
#include "package/writer/dwf_resource_writer.h"
#include "package/writer/section_descriptor.h"
#include "package/zip/archive_result.h"
#include "package/zip/zip_records.h"

namespace DWFWriter {
namespace {

constexpr int32_t kDeflated = 8;
constexpr int32_t kDefaultLevel = -1;

}  // namespace

DwfWriter::DwfWriter(const DWFUtil::String& fileName, SectionManager& sectionManager,
                     const DWFUtil::String& interfaceIdentifier,
                     const DWFUtil::ObjectRef<ResourceHandler>& resourceHandler, const DWFUtil::String& password,
                     int32_t version)
    : sectionManager_(sectionManager),
      fileName_(fileName),
      version_(version),
      password_(password),
      interfaceIdentifier_(interfaceIdentifier),
      resourceHandler_(resourceHandler) {
    if (version != kPackageVersion) throw DWF::DwfResult::UnsupportedPackageVersion;
    try {
        archive_ = DWFZip::ArchiveWriter::create(fileName_.wideView(), false, version);
    } catch (const std::bad_alloc&) {
        DWFUtil::throwOutOfMemory();
    }
    if (!archive_) throw DWF::DwfResult::ArchiveEntryError;
}

DwfWriter::~DwfWriter() noexcept(false) {
    if (sections_.empty()) {
        try {
            finish();
        } catch (...) {
            // The archive below still closes; destruction reports nothing.
        }
        return;
    }
    // The sections would write into a writer that no longer exists.
    for (SectionDescriptor* section : sections_) section->detachWriter();
    sections_.clear();
    if (archive_) archive_->close(nullptr);
    archive_.reset();
    if (std::uncaught_exceptions() == 0) throw DWF::DwfResult::ObjectInUse;
}

bool DwfWriter::openEntry(const DWFUtil::String& section, const DWFUtil::String& name,
                          const DWFUtil::String& role, const DWFUtil::String& mime) {
    if (entryOpen_ || !archive_ || name.empty() || entries_.count(name.toUtf8()) != 0) return false;
    // The manager decides first, so a refused resource leaves no empty
    // entry behind in the package.
    if (!sectionManager_.resourceAdded(section, name, role, mime)) return false;
    return openArchiveEntry(name);
}

bool DwfWriter::openArchiveEntry(const DWFUtil::String& name) {
    // A second entry of the same name would hide or be hidden by the first.
    if (entryOpen_ || !archive_ || name.empty() || entries_.count(name.toUtf8()) != 0) return false;
    const uint64_t localHeader = packageSize();
    if (archive_->openEntry(name.chars(), nullptr, {}, {}, nullptr, kDeflated, kDefaultLevel,
                            password_.chars()) != DWFZip::ArchiveOk) {
        return false;
    }
    currentEntry_ = name;
    entryOpen_ = true;
    entryUncompressed_ = 0;
    entryDataStart_ = packageSize();
    ResourceInfo& info = entries_[name.toUtf8()];
    info = ResourceInfo{};
    info.localHeaderPosition = localHeader;
    return true;
}

bool DwfWriter::writeEntry(const void* bytes, size_t count) {
    if (!entryOpen_ || !archive_) return false;
    if (count == 0) return true;
    if (archive_->writeEntry(bytes, count) != DWFZip::ArchiveOk) return false;
    entryUncompressed_ += count;
    return true;
}

bool DwfWriter::closeEntry() {
    if (!entryOpen_ || !archive_) return false;
    entryOpen_ = false;
    const bool closed = archive_->closeEntry() == DWFZip::ArchiveOk;
    ResourceInfo& info = entries_[currentEntry_.toUtf8()];
    if (!closed) {
        // An abandoned entry has no central record: it is not recorded either.
        entries_.erase(currentEntry_.toUtf8());
        return false;
    }
    info.uncompressedSize = entryUncompressed_;
    const uint64_t end = packageSize();
    info.compressedSize = end > entryDataStart_ ? end - entryDataStart_ : 0;
    info.centralRecordPosition = directorySize_;
    directorySize_ += DWFZip::kCentralHeaderSize + currentEntry_.narrowLength();
    return true;
}

bool DwfWriter::finish() {
    if (!archive_) return false;
    bool written = true;
    if (entryOpen_) written = closeEntry();
    try {
        written = writeManifest() && written;
    } catch (...) {
        archive_->close(nullptr);
        archive_.reset();
        throw;
    }
    const bool closed = archive_->close(nullptr) == DWFZip::ArchiveOk;
    archive_.reset();
    return written && closed;
}

bool DwfWriter::writeManifest() {
    if (!openArchiveEntry(DWFUtil::String(kManifestName))) return false;
    DWFUtil::ObjectRef<DWFManifest::Manifest> manifest = sectionManager_.buildManifest();
    bool written = manifest.Object() != nullptr;
    if (written) {
        manifest->addNamespace(DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>(new DWFManifest::ManifestNamespace()),
                               DWFManifest::kManifestPrefix);
        DwfResourceWriter output(*this);
        DWFXmlFramework::XmlWriter writer(output);
        manifest->serialize(writer);
        written = writer.flush() > 0 && !output.failed();
    }
    return closeEntry() && written;
}

const ResourceInfo* DwfWriter::findEntry(const DWFUtil::String& name) const {
    const auto it = entries_.find(name.toUtf8());
    return it == entries_.end() ? nullptr : &it->second;
}

void DwfWriter::sectionOpened(SectionDescriptor& descriptor) {
    try {
        sections_.insert(&descriptor);
    } catch (const std::bad_alloc&) {
        DWFUtil::throwOutOfMemory();
    }
}

void DwfWriter::sectionClosed(SectionDescriptor& descriptor) { sections_.erase(&descriptor); }

// Where the archive stands: every byte the archive writer has written is
// in the file, as it writes without buffering between entries.
uint64_t DwfWriter::packageSize() const {
    struct stat status {};
    if (::stat(fileName_.chars(), &status) != 0) return 0;
    return static_cast<uint64_t>(status.st_size);
}

}  // namespace DWFWriter
