#include "package/writer/section_descriptor.h"

#include "package/writer/dwf_resource_writer.h"
#include "package/writer/dwf_writer.h"

namespace DWFWriter {

SectionDescriptor::SectionDescriptor(SectionManager& manager, DwfWriter& writer, const DWFUtil::String& type,
                                     const DWFUtil::String& title, const DWFUtil::String& objectId,
                                     const DWFUtil::String& source, const DWFUtil::String& pageName,
                                     const DWFUtil::String& name)
    : writer_(&writer),
      manager_(manager),
      type_(type),
      title_(title),
      objectId_(objectId),
      source_(source),
      pageName_(pageName),
      sectionName_(name) {
    if (sectionName_.empty()) manager_.makeSectionName(type_, sectionName_);
    manager_.sectionOpened(*this);
    writer.sectionOpened(*this);
}

SectionDescriptor::~SectionDescriptor() {
    try {
        close();
    } catch (...) {
        // Destruction cannot report; close() can.
    }
    leaveWriter();
}

bool SectionDescriptor::storeResource(ResourceHandler& handler, DWFUtil::String& href, uint64_t& size) {
    if (closed_ || !acceptsResources()) return false;
    return writeResource(handler, href, size);
}

bool SectionDescriptor::writeResource(ResourceHandler& handler, DWFUtil::String& href, uint64_t& size) {
    if (writer_ == nullptr) return false;
    DWFUtil::String name = handler.getEntryName();
    if (name.empty()) manager_.makeResourceName(sectionName_, handler.getExtension(), name);
    if (name.empty()) return false;
    const DWFUtil::String path = sectionName_ + "\\" + name;
    if (!writer_->openEntry(sectionName_, path, handler.getRole(), handler.getMime())) return false;
    DwfResourceWriter output(*writer_);
    const bool written = handler.writeContent(output) && !output.failed();
    const bool closed = writer_->closeEntry();
    if (!written || !closed) return false;
    href = path;
    const ResourceInfo* info = writer_->findEntry(path);
    size = info ? info->uncompressedSize : 0;
    return true;
}

bool SectionDescriptor::close() {
    if (closed_) return closeResult_;
    // Marked first: the descriptor is written at most once, even when
    // writing it fails or throws.
    closed_ = true;
    try {
        DWFUtil::String href;
        uint64_t size = 0;
        closeResult_ = descriptorHandler_.Object() == nullptr || writeResource(*descriptorHandler_, href, size);
    } catch (...) {
        leaveWriter();
        throw;
    }
    leaveWriter();
    return closeResult_;
}

// Once left, the writer no longer detaches the section when it goes: the
// section lets go of it too, as it may outlive it.
void SectionDescriptor::leaveWriter() {
    if (writer_) writer_->sectionClosed(*this);
    writer_ = nullptr;
}

}  // namespace DWFWriter
