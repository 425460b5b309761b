// A DWF package opened from a file: its type and version, its directory,
// streams over single entries and temporary copies of entries on disk. The
// reader is also the XML parser callback that drives the document builders
// while the package's XML documents are parsed.
//
// Temporary copies live in a private directory of the reader's own, made
// when the first copy is needed; each file is created exclusively and keeps
// the entry's extension only when that is a plain one, so no entry name can
// steer a file anywhere else. Everything the reader created is removed when
// it is destroyed.
#ifndef DWFPLOT_PACKAGE_READER_DWF_READER_H
#define DWFPLOT_PACKAGE_READER_DWF_READER_H

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "dwfplot/DwfResult.h"
#include "model/manifest/interface.h"
#include "model/manifest/manifest.h"
#include "model/manifest/property.h"
#include "model/util/object_ref.h"
#include "model/util/string.h"
#include "model/util/vector.h"
#include "model/xml/xml_builder.h"
#include "model/xml/xml_builder_stack.h"
#include "model/xml/xml_input_stream.h"
#include "package/reader/archive_file_info.h"
#include "package/reader/file_type.h"
#include "package/zip/archive_reader.h"
#include "platform/failure.h"
#include "platform/file.h"
#include "platform/temp_files.h"

namespace DWFReader {

class DwfReader : public DWFXmlBuilder::XmlBuilderStack {
public:
    // The state word: the reader works on a file (the only state reached).
    static constexpr int32_t kFileMode = 4;
    // manifest.xml and descriptors are parsed in memory; larger ones are
    // refused, and so is a document that would take the package's documents
    // together past this size: what a package costs in memory is bounded,
    // however many descriptors it lists.
    static constexpr uint64_t kDocumentSizeLimit = uint64_t{64} << 20;
    // Entries are copied to disk in pieces of this size.
    static constexpr uint32_t kCopyChunkSize = 65536;

    // Opens the package (FileOpenFailed when it is not a readable archive);
    // an empty path gives a reader without package.
    DwfReader(const DWFUtil::String& packagePath, const DWFUtil::String& password);
    // Opens the package a reader made without one reads (InvalidState for a
    // reader that has one); FileOpenFailed as above, with failure() telling
    // why.
    void openPackage(const DWFUtil::String& packagePath);
    ~DwfReader() override;
    DwfReader(const DwfReader&) = delete;
    DwfReader& operator=(const DwfReader&) = delete;

    // The file type (DwfFileType) from the first 12 bytes; `version` and
    // `typeInfo` as far as the type has them. Known types are cached.
    virtual int32_t detectDwfType(int32_t& version, DWFUtil::String& typeInfo);
    // The entry's directory record: NotFoundInPackage, NoPackageOpen or
    // ArchiveEntryError when it cannot be had.
    virtual DWF::DwfResult::Enum getEntryInfo(const DWFUtil::String& name, ArchiveFileInfo& info);
    // The package type named by a ".TYPEINFO" entry, or empty.
    virtual DWFUtil::String readTypeInfo();
    // Leading separators, '/' against '\' and letter case do not matter.
    virtual bool hasEntry(const DWFUtil::String& name);
    // Supported from now on, unless an interface with its objectId is.
    virtual void addInterface(const DWFUtil::ObjectRef<DWFManifest::Interface>& supported);
    virtual bool findTemporaryCopy(const DWFUtil::String& name, DWFUtil::String& path);
    virtual void addTemporaryCopy(const DWFUtil::String& name, const DWFUtil::String& path);
    virtual DWFUtil::String getPassword() const { return password_; }
    virtual void setRootBuilder(const DWFUtil::ObjectRef<DWFXmlBuilder::XmlBuilder>& builder);
    virtual void setDwfType(int32_t type, int32_t version);
    virtual void setArchive(std::unique_ptr<DWFZip::ArchiveReader> archive);
    virtual void setTypeInfo(const DWFUtil::String& typeInfo);

    // manifest.xml, parsed on the first request: NotFoundInPackage without
    // it, InvalidData when it is larger than kDocumentSizeLimit,
    // XmlBuildFailed when it builds no manifest, a parse failure as it is.
    DWFUtil::ObjectRef<DWFManifest::Manifest> getManifest();
    // The product properties into the five texts (a later one overwriting
    // an earlier one), every other Property into `others`, in manifest
    // order; true when `others` is not empty.
    bool getManifestProperties(DWFUtil::String& sourceVendor, DWFUtil::String& sourceName,
                               DWFUtil::String& sourceVersion, DWFUtil::String& packagerVendor,
                               DWFUtil::String& packagerVersion,
                               DWFUtil::Vector<DWFUtil::ObjectRef<DWFManifest::AnyProperty>>& others);
    // Whether a registered interface has the same objectId.
    bool isInterfaceSupported(const DWFUtil::ObjectRef<DWFManifest::Interface>& candidate) const;

    // The path of a temporary file holding the entry's uncompressed content,
    // extracted once; empty when the package has no such entry.
    void materializeEntry(DWFUtil::String& path, const DWFUtil::String& name);
    // A stream over the entry's uncompressed content, owned by the caller.
    std::unique_ptr<DWFUtil::InputStream> openEntryStream(const DWFUtil::String& name);
    // A new, empty temporary file, created exclusively in the reader's
    // private directory and removed with the reader; it takes the entry's
    // extension when that is 1 to 16 characters of [A-Za-z0-9_].
    void makeTemporaryFileName(DWFUtil::String& path, const DWFUtil::String& entryName);

    int32_t getState() const;
    int64_t getFileSize() const { return fileSize_; }
    const DWFUtil::String& getPackagePath() const { return packagePath_; }
    // The private directory, ending with '/'; empty before the first copy.
    const std::string& workingDirectory() const { return workDir_.path(); }
    // Where and why the package, or the entry or document last opened,
    // copied or parsed, was refused: the entry, the byte, what was wrong.
    // Empty when that went well, or when what failed keeps no record (an
    // entry that is missing).
    const platform::Failure& failure() const { return failure_; }

protected:
    // Parses the entry `name`, at most kDocumentSizeLimit bytes, with
    // `builder` as root builder: the parse result, InvalidData when the
    // entry is too large, alone or with the documents parsed before it. A
    // missing entry throws NotFoundInPackage.
    DWF::DwfResult::Enum parseDocument(const DWFUtil::String& name,
                                       const DWFUtil::ObjectRef<DWFXmlBuilder::XmlBuilder>& builder);

private:
    // The entry read once through, for a parse.
    std::unique_ptr<DWFUtil::InputStream> openDocumentStream(const DWFUtil::String& name,
                                                             const ArchiveFileInfo& record);
    DWFZip::ArchiveReader& requireArchive() const;
    ArchiveFileInfo& entryRecord(const DWFUtil::String& name);
    platform::UniqueFd createTemporaryFile(const DWFUtil::String& entryName, std::string& path);
    void copyCurrentEntry(int fd, uint32_t size);
    void discardCopy(platform::UniqueFd& file, const std::string& path);
    void removeTemporaryFiles();
    // Takes over what the archive recorded of its last failure.
    void keepArchiveFailure();

    DWFUtil::String packagePath_;
    DWFUtil::String password_;
    std::unique_ptr<DWFZip::ArchiveReader> archive_;
    int64_t fileSize_ = 0;
    int32_t state_ = kFileMode;
    int32_t fileType_ = UnknownType;
    int32_t version_ = -1;
    bool typeKnown_ = false;
    DWFUtil::String typeInfo_;
    // Keyed by entryKey(name), so every spelling of an entry finds the same record.
    std::map<std::string, std::unique_ptr<ArchiveFileInfo>> entries_;
    std::map<std::string, std::string> temporaryCopies_;
    platform::PrivateDirectory workDir_;
    DWFUtil::ObjectRef<DWFManifest::Manifest> manifest_;
    DWFUtil::ObjectRef<DWFManifest::Interfaces> interfaces_;
    // Bytes of the documents parsed so far, by their directory records.
    uint64_t documentBytes_ = 0;
    platform::Failure failure_;
};

// How a requested entry name is keyed: leading separators dropped, '/' as
// '\', ASCII letters in upper case - the way the archive matches names.
std::string entryKey(const DWFUtil::String& name);

// The extension a temporary copy of `entryName` takes: the text after the
// last '.', when it is a safe one (platform::isSafeExtension); else empty.
std::string temporaryExtension(const DWFUtil::String& entryName);

}  // namespace DWFReader

#endif  // DWFPLOT_PACKAGE_READER_DWF_READER_H
