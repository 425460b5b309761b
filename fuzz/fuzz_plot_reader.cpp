// The plot reader end to end over an arbitrary package file: canRead,
// openPlot, then getOperation with the getter each operation names until the
// plot ends, closePlot and the reader's destruction. Temporary files and the
// image files handed to the host's loader must all be gone afterwards.
//
// An input that starts like a package ("(DWF V" or "PK") is the package file
// itself. Any other input is a list of entries that the target packs into a
// valid archive first, so that mutations of manifest.xml, the descriptors and
// the page streams are not all stopped by CRC checks and deflate framing:
//   repeated: flags (u8; bit 0: deflate the entry), name length (u8), name,
//             content length (u16, little-endian), content
// A cut-off last entry takes what is left.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dwfplot/DWFPlotFile.h"
#include "fuzz_workspace.h"
#include "package/zip/archive_writer.h"
#include "platform/unicode.h"

namespace {

// A huge legal plot must not make one run slow.
constexpr int kOperationLimit = 20000;

IMAGE loadedImage;
// Where the text lengths go, so reading the text is not optimised away.
volatile size_t textLength = 0;

[[noreturn]] void broken(const char* what) {
    std::fprintf(stderr, "plot reader broke a promise: %s\n", what);
    std::abort();
}

// The host's loader: the file must be there, in the current directory, for
// as long as the call lasts.
IMAGE* loadImage(const char* path) {
    if (path == nullptr || std::string(path).rfind("./", 0) != 0) broken("image outside the current directory");
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) broken("image file missing during the load callback");
    char bytes[64];
    loadedImage.width = static_cast<int32_t>(std::fread(bytes, 1, sizeof bytes, file));
    std::fclose(file);
    return &loadedImage;
}

void fetch(DWFPlotFileReader& reader, Plt_Plot_Operation_T operation, int index) {
    const bool withGroup = index % 2 == 0;
    std::string group;
    double x = 0, y = 0, a = 0, b = 0;
    switch (operation) {
        case PLT_PLOT_OPENED:
        case PLT_NEW_PAGE: {
            reader.getPageSize(a, b);
            reader.getPlotScale(a, b);
            std::string units;
            reader.getPlotUnits(units);
            reader.getEncoding();
            reader.size();
            reader.position();
            break;
        }
        case PLT_PEN:
            reader.getPen();
            break;
        case PLT_SYMBOL: {
            bool filled = false;
            std::string name;
            if (withGroup) reader.getSymbol(x, y, a, b, filled, name, group);
            else reader.getSymbol(x, y, a, b, filled, name);
            break;
        }
        case PLT_TEXT: {
            PlotFont font;
            const wchar_t* text = withGroup ? reader.getText(x, y, font, a, group) : reader.getText(x, y, font, a);
            if (text == nullptr) broken("getText gave no text");
            textLength = std::wcslen(text);
            break;
        }
        case PLT_LINE: {
            std::vector<PlottingPoint> points;
            reader.getLine(points);
            break;
        }
        case PLT_POLYGONS: {
            std::vector<std::vector<PlottingPoint>> polygons;
            int pen = 0;
            if (withGroup) reader.getPolygons(polygons, pen, group);
            else reader.getPolygons(polygons, pen);
            break;
        }
        case PLT_IMAGE: {
            IMAGE* image = nullptr;
            if (withGroup) reader.getImage(x, y, a, b, &image, group);
            else reader.getImage(x, y, a, b, &image);
            if (image != nullptr && image != &loadedImage) broken("image the loader did not make");
            break;
        }
        case PLT_GROUP_OPTIONS: {
            bool first = false, second = false;
            reader.getGroupInfo(group, first, second);
            break;
        }
        case PLT_TABLE: {
            std::string table;
            reader.getTableString(table);
            break;
        }
        case PLT_NONE:
        case PLT_END_OF_PLOT:
            reader.position();
            break;
        default:
            broken("operation outside Plt_Plot_Operation_T");
    }
}

bool isPackageFile(const uint8_t* data, size_t size) {
    const std::string_view start(reinterpret_cast<const char*>(data), std::min<size_t>(size, 6));
    return start.substr(0, 2) == "PK" || start == "(DWF V";
}

// Packs an entry list into a DWF package at `path`.
void packEntries(const uint8_t* data, size_t size, const std::string& path) {
    std::unique_ptr<DWFZip::ArchiveWriter> archive =
        DWFZip::ArchiveWriter::create(platform::utf8ToUtf16(path), false, 600);
    if (!archive) broken("cannot create the packed input");
    DWFZip::ArchiveEntryFileInfo info;
    info.dosDateTime = 0x5A210000;  // a fixed time: the same input, the same bytes
    size_t at = 0;
    const auto take = [&](size_t count) {
        const size_t n = std::min(count, size - at);
        const std::string_view bytes(reinterpret_cast<const char*>(data) + at, n);
        at += n;
        return bytes;
    };
    while (at + 2 <= size) {
        const uint8_t flags = data[at++];
        const std::string name(take(data[at++]));
        const std::string_view lengthBytes = take(2);
        size_t length = lengthBytes.empty() ? 0 : static_cast<uint8_t>(lengthBytes[0]);
        if (lengthBytes.size() == 2) length |= static_cast<size_t>(static_cast<uint8_t>(lengthBytes[1])) << 8;
        const std::string_view content = take(length);
        if (archive->openEntry(name.c_str(), &info, {}, {}, nullptr, (flags & 1) ? 8 : 0, 6, nullptr) != 0 ||
            archive->writeEntry(content.data(), content.size()) != 0 || archive->closeEntry() != 0) {
            broken("cannot write the packed input");
        }
    }
    if (archive->close(nullptr) != 0) broken("cannot finish the packed input");
}

// What the host may count on whatever the package holds: the plot opens with
// PLT_PLOT_OPENED, no more pages start than getPages lists, the progress
// stays within the plot's size, and an ended plot stays ended.
void replay(const std::string& path) {
    DWFPlotFileReader reader(loadImage);
    std::string message;
    reader.canRead(path, message);
    if (reader.openPlot(path)) {
        std::vector<std::string> pages;
        reader.getPages(pages);
        size_t newPages = 0;
        bool ended = false;
        for (int index = 0; index < kOperationLimit && !ended; ++index) {
            const Plt_Plot_Operation_T operation = reader.getOperation();
            if (index == 0 && operation != PLT_PLOT_OPENED) broken("the plot did not open with PLT_PLOT_OPENED");
            if (operation == PLT_NEW_PAGE && ++newPages > pages.size()) broken("more pages than getPages lists");
            fetch(reader, operation, index);
            const long position = reader.position();
            if (position < 0 || position > reader.size()) broken("position outside the plot's size");
            ended = operation == PLT_END_OF_PLOT;
        }
        if (ended && reader.getOperation() != PLT_END_OF_PLOT) broken("an ended plot went on");
    } else {
        // Nothing is open: the host may still ask.
        reader.getOperation();
    }
    reader.closePlot();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::enterWorkspace();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string path;
    if (isPackageFile(data, size)) {
        path = fuzz::writeInputFile(data, size, "input.dwf");
    } else {
        path = fuzz::writeInputFile(nullptr, 0, "input.dwf");
        packEntries(data, size, path);
    }
    {
        const fuzz::InWorkDirectory inWork;
        replay(path);
    }
    fuzz::removeInputFile(path);
    fuzz::requireNothingLeft();
    return 0;
}
