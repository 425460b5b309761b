#include "plotfile/reader_image_file.h"

#include <string>

#include "platform/debug_output.h"
#include "platform/file.h"
#include "platform/temp_files.h"

namespace DWFPlotReader {
namespace {

// Removes the image file however the loader returns.
class RemoveOnExit {
public:
    explicit RemoveOnExit(const std::string& path) : path_(path) {}
    ~RemoveOnExit() {
        if (!platform::removeFile(path_)) platform::debugOutput("Unable to delete file \"" + path_ + "\"\n");
    }
    RemoveOnExit(const RemoveOnExit&) = delete;
    RemoveOnExit& operator=(const RemoveOnExit&) = delete;

private:
    const std::string& path_;
};

}  // namespace

IMAGE* loadImage(const std::vector<uint8_t>& data, std::string_view extension, ImageLoadCallback load) {
    std::string path;
    platform::UniqueFd file = platform::createExclusiveFile("./", "", extension, path);
    if (!file.valid()) return nullptr;
    RemoveOnExit removal(path);
    const bool written = platform::writeAll(file.get(), data.data(), data.size());
    if (!file.reset() || !written || load == nullptr) return nullptr;
    return load(path.c_str());
}

}  // namespace DWFPlotReader
