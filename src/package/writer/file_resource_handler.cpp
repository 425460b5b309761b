#include "package/writer/file_resource_handler.h"

#include <vector>

#include "package/writer/dwf_resource_writer.h"
#include "platform/file.h"

namespace DWFWriter {

FileResourceHandler::FileResourceHandler(const DWFUtil::String& path, const DWFUtil::String& role,
                                         const DWFUtil::String& mime)
    : ResourceHandler(role, mime), path_(path) {
    const int32_t slash = path.findLast('/');
    const DWFUtil::String name = slash < 0 ? path : path.substring(static_cast<uint32_t>(slash) + 1);
    setSourceFileName(name);
    const int32_t dot = name.findLast('.');
    if (dot >= 0) setExtension(name.substring(static_cast<uint32_t>(dot) + 1));
}

bool FileResourceHandler::writeContent(DwfResourceWriter& output) {
    const platform::UniqueFd file = platform::openForReading(path_.toUtf8());
    if (!file.valid()) return false;
    std::vector<char> block(kBlockSize);
    for (;;) {
        const ssize_t count = platform::readUpTo(file.get(), block.data(), block.size());
        // A read that fails would leave the entry cut short: that is a
        // failed add, not a shorter page.
        if (count < 0) return false;
        if (count == 0) return true;
        if (output.writeBytes(block.data(), static_cast<uint32_t>(count)) < 0) return false;
    }
}

}  // namespace DWFWriter
