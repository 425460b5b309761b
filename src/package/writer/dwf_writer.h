// Writes a DWF 6.00 package: a ZIP container behind the DWF header whose
// entries are the sections' resources, in the order they are stored, and
// "manifest.xml" last. One entry is open at a time; the section manager
// names entries and records them in the manifest.
#ifndef DWFPLOT_PACKAGE_WRITER_DWF_WRITER_H
#define DWFPLOT_PACKAGE_WRITER_DWF_WRITER_H

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "model/util/object_ref.h"
#include "model/util/string.h"
#include "package/writer/resource_handler.h"
#include "package/writer/section_manager.h"
#include "package/zip/archive_writer.h"

namespace DWFWriter {

class SectionDescriptor;

// What the writer recorded about one entry it wrote (_resourceInfo).
struct ResourceInfo {
    uint64_t compressedSize = 0;
    uint64_t uncompressedSize = 0;
    uint64_t localHeaderPosition = 0;
    // Offset of the entry's record inside the central directory.
    uint64_t centralRecordPosition = 0;
};

class DwfWriter {
public:
    static constexpr int32_t kPackageVersion = 600;
    static constexpr const char* kManifestName = "manifest.xml";

    // Creates the package file. A version other than 600 throws
    // UnsupportedPackageVersion and creates nothing; a file that cannot be
    // created throws ArchiveEntryError.
    DwfWriter(const DWFUtil::String& fileName, SectionManager& sectionManager,
              const DWFUtil::String& interfaceIdentifier,
              const DWFUtil::ObjectRef<ResourceHandler>& resourceHandler, const DWFUtil::String& password,
              int32_t version);
    // Finishes the package if that has not happened. With sections still
    // open it refuses with ObjectInUse (unless an exception is already on
    // its way): the archive is closed as it stands, without manifest, and
    // the open sections are told that the writer is gone.
    ~DwfWriter() noexcept(false);
    DwfWriter(const DwfWriter&) = delete;
    DwfWriter& operator=(const DwfWriter&) = delete;

    // Opens the entry `name` of `section` after the section manager has
    // taken the resource. False while an entry is open, after finishing,
    // for an empty name or one already written, or when the manager
    // refuses: nothing is written then.
    bool openEntry(const DWFUtil::String& section, const DWFUtil::String& name, const DWFUtil::String& role,
                   const DWFUtil::String& mime);
    // Appends bytes to the open entry; false when no entry is open or the write failed.
    bool writeEntry(const void* bytes, size_t count);
    bool closeEntry();
    // Closes an open entry, writes "manifest.xml" and closes the archive.
    // False when any of it failed; later calls answer false.
    bool finish();

    bool isFinished() const { return archive_ == nullptr; }
    bool isEntryOpen() const { return entryOpen_; }
    uint32_t openSections() const { return static_cast<uint32_t>(sections_.size()); }
    // The record of an entry written, or null.
    const ResourceInfo* findEntry(const DWFUtil::String& name) const;
    const DWFUtil::String& getFileName() const { return fileName_; }
    const DWFUtil::String& getInterfaceIdentifier() const { return interfaceIdentifier_; }
    int32_t getVersion() const { return version_; }
    SectionManager& getSectionManager() const { return sectionManager_; }

    // Kept by the section descriptors: the writer counts the open ones and
    // detaches them if it goes first.
    void sectionOpened(SectionDescriptor& descriptor);
    void sectionClosed(SectionDescriptor& descriptor);

private:
    bool openArchiveEntry(const DWFUtil::String& name);
    bool writeManifest();
    uint64_t packageSize() const;

    std::unique_ptr<DWFZip::ArchiveWriter> archive_;
    SectionManager& sectionManager_;
    std::map<std::string, ResourceInfo> entries_;
    DWFUtil::String currentEntry_;
    DWFUtil::String fileName_;
    bool entryOpen_ = false;
    uint64_t entryUncompressed_ = 0;
    uint64_t entryDataStart_ = 0;
    uint64_t directorySize_ = 0;
    std::set<SectionDescriptor*> sections_;
    int32_t version_;
    DWFUtil::String password_;
    DWFUtil::String interfaceIdentifier_;
    DWFUtil::ObjectRef<ResourceHandler> resourceHandler_;
};

}  // namespace DWFWriter

#endif  // DWFPLOT_PACKAGE_WRITER_DWF_WRITER_H
