// Sources of entry content for the package writer: a resource handler knows
// the role and MIME type of what it supplies, the name it came from and the
// extension its entry takes, and writes the content when asked.
#ifndef DWFPLOT_PACKAGE_WRITER_RESOURCE_HANDLER_H
#define DWFPLOT_PACKAGE_WRITER_RESOURCE_HANDLER_H

#include "model/util/ref_count.h"
#include "model/util/string.h"

namespace DWFWriter {

class DwfResourceWriter;

class ResourceHandler : public DWFUtil::RefCount {
public:
    ResourceHandler(const DWFUtil::String& role, const DWFUtil::String& mime) : role_(role), mime_(mime) {}

    // Writes the whole content into `output`; false when that failed.
    virtual bool writeContent(DwfResourceWriter& output) = 0;

    const DWFUtil::String& getRole() const { return role_; }
    const DWFUtil::String& getMime() const { return mime_; }
    const DWFUtil::String& getSourceFileName() const { return sourceFileName_; }
    // Empty: the section manager names the entry.
    const DWFUtil::String& getEntryName() const { return entryName_; }
    void setEntryName(const DWFUtil::String& name) { entryName_ = name; }
    const DWFUtil::String& getExtension() const { return extension_; }

protected:
    void setSourceFileName(const DWFUtil::String& name) { sourceFileName_ = name; }
    void setExtension(const DWFUtil::String& extension) { extension_ = extension; }

private:
    DWFUtil::String role_;
    DWFUtil::String mime_;
    DWFUtil::String sourceFileName_;
    DWFUtil::String entryName_;
    DWFUtil::String extension_;
};

}  // namespace DWFWriter

#endif  // DWFPLOT_PACKAGE_WRITER_RESOURCE_HANDLER_H
