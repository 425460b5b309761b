// The operation stream: getOperation turns the open page's W2D objects into
// plot operations, and the getters hand their data to the host.
#include <new>

#include "platform/unicode.h"
#include "plotfile/dwf_plot_file_reader_imp.h"
#include "plotfile/reader_stream_handlers.h"
#include "w2d/stream.h"

namespace {

// Points the stream's handlers at a record for as long as it lives.
class ClientRecord {
public:
    ClientRecord(WT_Stream& stream, DWFPlotReader::OperationRecord& record, DWFPlotReader::OperationRecord& previous)
        : stream_(stream), previous_(previous) {
        stream_.set_client_data(&record);
    }
    ~ClientRecord() { stream_.set_client_data(&previous_); }
    ClientRecord(const ClientRecord&) = delete;
    ClientRecord& operator=(const ClientRecord&) = delete;

private:
    WT_Stream& stream_;
    DWFPlotReader::OperationRecord& previous_;
};

}  // namespace

Plt_Plot_Operation_T DWFPlotFileReaderImp::getOperation() {
    try {
        return nextOperation();
    } catch (const std::bad_alloc&) {
        // W2D objects that cannot be allocated end the page like a failed read,
    } catch (WT_Result::Enum) {
        // and so does a stream the W2D layer refuses to go on with.
    }
    if (pageOpen_) endPage();
    return PLT_NONE;
}

Plt_Plot_Operation_T DWFPlotFileReaderImp::nextOperation() {
    if (record_.pending != PLT_NONE) {
        const Plt_Plot_Operation_T kept = record_.pending;
        record_.pending = PLT_NONE;
        return kept;
    }
    if (!pageOpen_) return openNextPage();
    if (!readUntilOperation()) {
        endPage();
        return PLT_NONE;
    }
    switch (record_.pending) {
        case PLT_LINE:
        case PLT_POLYGONS:
        case PLT_TEXT:
            // Every drawable comes after the current pen, so the host has it.
            return PLT_PEN;
        case PLT_SYMBOL:
            skipSymbolBody();
            return PLT_PEN;
        case PLT_IMAGE:
        case PLT_TABLE: {
            const Plt_Plot_Operation_T code = record_.pending;
            record_.pending = PLT_NONE;
            return code;
        }
        case PLT_GROUP_OPTIONS:
            // Reported on two calls in a row: hosts have always read it twice.
            return PLT_GROUP_OPTIONS;
        default:
            // A pen change is held back one call.
            return PLT_NONE;
    }
}

Plt_Plot_Operation_T DWFPlotFileReaderImp::openNextPage() {
    if (currentPage_ >= pages_.size()) return PLT_END_OF_PLOT;
    stream_ = std::make_unique<WT_Stream>();
    DWFPlotReader::installStreamHandlers(*stream_);
    stream_->set_filename(pages_[currentPage_].path);
    stream_->set_file_mode(WT_Stream::File_Read);
    stream_->set_client_data(&record_);
    // Not checked: a stream that cannot be opened fails its first read, and
    // the page ends there.
    stream_->open();
    pageOpen_ = true;
    streamEnded_ = false;
    return PLT_NEW_PAGE;
}

// The page's file is whole: a read left waiting for data has met its end,
// and the stream records where (for the diagnostics channel).
bool DWFPlotFileReaderImp::readObject() {
    if (streamEnded_) return false;
    WT_Result::Enum result = stream_->process_next_object();
    if (result == WT_Result::Waiting_For_Data) result = stream_->input_ended();
    streamEnded_ = result != WT_Result::Success;
    return !streamEnded_;
}

bool DWFPlotFileReaderImp::readUntilOperation() {
    record_.pending = PLT_NONE;
    while (readObject()) {
        if (record_.pending != PLT_NONE) return true;
    }
    return false;
}

bool DWFPlotFileReaderImp::readUntilDrawable() {
    while (!record_.drawableSeen) {
        if (!pageOpen_ || !readObject()) return false;
    }
    return true;
}

// The drawn shape of a symbol is not replayed: the host draws the symbol by
// its name. Everything up to the closing record (or the next symbol, or the
// stream's end) goes into a record of its own and is dropped.
void DWFPlotFileReaderImp::skipSymbolBody() {
    DWFPlotReader::OperationRecord body;
    body.discarding = true;
    const ClientRecord redirect(*stream_, body, record_);
    while (body.pending != PLT_SYMBOL && readObject()) continue;
}

void DWFPlotFileReaderImp::endPage() {
    stream_->close();
    stream_.reset();
    ++currentPage_;
    pageOpen_ = false;
    streamEnded_ = false;
}

int DWFPlotFileReaderImp::getPen() { return record_.pen; }

void DWFPlotFileReaderImp::getGroupInfo(std::string& name, bool& first, bool& second) {
    name = record_.group;
    first = record_.groupFirst;
    second = record_.groupSecond;
}

void DWFPlotFileReaderImp::getLine(std::vector<PlottingPoint>& points) {
    // Swapped, not assigned: the record keeps the host's old buffer, so the
    // next line is built without growing a new one.
    points.swap(record_.linePoints);
    record_.linePoints.clear();
    if (!points.empty()) points.front().group = record_.group;
}

void DWFPlotFileReaderImp::getTableString(std::string& table) { table = record_.table; }

void DWFPlotFileReaderImp::getPolygons(std::vector<std::vector<PlottingPoint>>& polygons, int& pen,
                                       std::string& group) {
    polygons = std::move(record_.polygons);
    record_.polygons.clear();
    pen = record_.pen;
    group = record_.group;
}

void DWFPlotFileReaderImp::getPolygons(std::vector<std::vector<PlottingPoint>>& polygons, int& pen) {
    std::string group;
    getPolygons(polygons, pen, group);
}

void DWFPlotFileReaderImp::getSymbol(double& x, double& y, double& scale, double& angle, bool& filled,
                                     std::string& name, std::string& group) {
    x = record_.x;
    y = record_.y;
    scale = record_.scale;
    angle = record_.angle;
    filled = record_.filled;
    name = record_.symbolName;
    group = record_.group;
}

void DWFPlotFileReaderImp::getSymbol(double& x, double& y, double& scale, double& angle, bool& filled,
                                     std::string& name) {
    std::string group;
    getSymbol(x, y, scale, angle, filled, name, group);
}

// The "Text" record comes before its lines: each line is the next text
// object of the stream, so the lines are read here. A stream that ends
// first gives the lines read so far.
const wchar_t* DWFPlotFileReaderImp::getText(double& x, double& y, PlotFont& font, double& angle,
                                             std::string& group) {
    std::u16string text;
    if (record_.lineCount == 0) {
        x = 0;
        y = 0;
        font = PlotFont();
        font.height = 0;
        angle = 0;
    } else {
        try {
            for (int32_t line = 0; line < record_.lineCount && readUntilDrawable(); ++line) {
                record_.drawableSeen = false;
                if (line > 0) text.push_back(u'\n');
                text += record_.textLine;
            }
        } catch (const std::bad_alloc&) {
            streamEnded_ = true;
        } catch (WT_Result::Enum) {
            streamEnded_ = true;
        }
        x = record_.x;
        y = record_.y;
        font = record_.font;
        angle = record_.angle;
        group = record_.group;
    }
    text_ = platform::utf16ToWide(text);
    return text_.c_str();
}

const wchar_t* DWFPlotFileReaderImp::getText(double& x, double& y, PlotFont& font, double& angle) {
    std::string group;
    return getText(x, y, font, angle, group);
}

void DWFPlotFileReaderImp::getImage(double& x, double& y, double& height, double& width, IMAGE** image,
                                    std::string& group) {
    x = record_.x;
    y = record_.y;
    height = record_.imageHeight;
    width = record_.imageWidth;
    if (image != nullptr) *image = record_.image;
    group = record_.group;
}

void DWFPlotFileReaderImp::getImage(double& x, double& y, double& height, double& width, IMAGE** image) {
    std::string group;
    getImage(x, y, height, width, image, group);
}
