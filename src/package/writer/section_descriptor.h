// One section of a package being written: its names, the resources stored
// as its entries, and its descriptor, written once as the section's
// "descriptor.xml" when the section closes (at the latest when it is
// destroyed).
#ifndef DWFPLOT_PACKAGE_WRITER_SECTION_DESCRIPTOR_H
#define DWFPLOT_PACKAGE_WRITER_SECTION_DESCRIPTOR_H

#include <cstdint>

#include "model/util/object_ref.h"
#include "model/util/string.h"
#include "package/writer/resource_handler.h"
#include "package/writer/section_manager.h"

namespace DWFWriter {

class DwfWriter;

class SectionDescriptor {
public:
    static constexpr const char* kDescriptorName = "descriptor.xml";
    static constexpr const char* kDescriptorRole = "descriptor";
    static constexpr const char* kDescriptorMime = "text/xml";

    // Names the section (the manager makes a name when `name` is empty),
    // registers it with the manager and counts it open in the writer.
    SectionDescriptor(SectionManager& manager, DwfWriter& writer, const DWFUtil::String& type,
                      const DWFUtil::String& title, const DWFUtil::String& objectId,
                      const DWFUtil::String& source, const DWFUtil::String& pageName,
                      const DWFUtil::String& name = DWFUtil::String());
    // Closes the section if that has not happened; failures cannot be
    // reported here, so callers that care call close() first.
    virtual ~SectionDescriptor();
    SectionDescriptor(const SectionDescriptor&) = delete;
    SectionDescriptor& operator=(const SectionDescriptor&) = delete;

    virtual bool acceptsResources() const { return true; }

    // Writes the handler's content as an entry of this section, named by the
    // handler or else by the manager, at once. `href` becomes the entry path
    // (section name, '\', entry name) and `size` its uncompressed size.
    // False when the section refuses resources or is closed, the name cannot
    // be made, or the entry could not be written whole.
    bool storeResource(ResourceHandler& handler, DWFUtil::String& href, uint64_t& size);

    // Writes the descriptor (when there is a descriptor handler) and marks
    // the section closed; the first call decides, later ones answer the same.
    bool close();

    bool isClosed() const { return closed_; }
    const DWFUtil::String& getType() const { return type_; }
    const DWFUtil::String& getTitle() const { return title_; }
    const DWFUtil::String& getObjectId() const { return objectId_; }
    const DWFUtil::String& getSource() const { return source_; }
    const DWFUtil::String& getPageName() const { return pageName_; }
    const DWFUtil::String& getSectionName() const { return sectionName_; }

    // The writer went first: nothing more can be written.
    void detachWriter() { writer_ = nullptr; }

protected:
    void setDescriptorHandler(const DWFUtil::ObjectRef<ResourceHandler>& handler) { descriptorHandler_ = handler; }

private:
    // storeResource without the section's own refusals: the descriptor of a
    // section that takes no resources is still written.
    bool writeResource(ResourceHandler& handler, DWFUtil::String& href, uint64_t& size);
    void leaveWriter();

    DWFUtil::ObjectRef<ResourceHandler> descriptorHandler_;
    DwfWriter* writer_;
    SectionManager& manager_;
    DWFUtil::String type_;
    DWFUtil::String title_;
    DWFUtil::String objectId_;
    DWFUtil::String source_;
    DWFUtil::String pageName_;
    DWFUtil::String sectionName_;
    bool closed_ = false;
    bool closeResult_ = false;
};

// A section that takes no further resources.
class ClosedSectionDescriptor : public SectionDescriptor {
public:
    using SectionDescriptor::SectionDescriptor;
    bool acceptsResources() const override { return false; }
};

}  // namespace DWFWriter

#endif  // DWFPLOT_PACKAGE_WRITER_SECTION_DESCRIPTOR_H
