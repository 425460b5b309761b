#include "dwfplot/disassembler.h"

#include <memory>
#include <new>

#include "dwfplot/command_line.h"
#include "dwfplot/commands.h"
#include "dwfplot/page_streams.h"
#include "dwfplot/w2d_file.h"
#include "w2d/attribute_set.h"
#include "w2d/stream.h"

namespace dwfplot_tool {
namespace {

WT_Result::Enum ostreamOpen(WT_Stream&) { return WT_Result::Success; }
WT_Result::Enum ostreamClose(WT_Stream& stream) {
    return static_cast<std::ostream*>(stream.client_data())->flush() ? WT_Result::Success : WT_Result::Close_Failed;
}
WT_Result::Enum ostreamWrite(WT_Stream& stream, int size, const void* data) {
    auto* out = static_cast<std::ostream*>(stream.client_data());
    out->write(static_cast<const char*>(data), size);
    return *out ? WT_Result::Success : WT_Result::Write_Failed;
}

// The ASCII stream the objects are written to. Merging is off so that each
// object read is one object written.
class AsciiOutput {
public:
    explicit AsciiOutput(std::ostream& out) {
        stream_.set_client_data(&out);
        stream_.set_open_action(ostreamOpen);
        stream_.set_close_action(ostreamClose);
        stream_.set_write_action(ostreamWrite);
        stream_.set_file_mode(WT_Stream::File_Write);
        stream_.options().set_allow_binary_data(false);
        stream_.options().set_allow_drawable_merging(false);
        stream_.options().set_allow_data_compression(false);
    }

    WT_Result::Enum open(int version) {
        stream_.options().set_target_version(version);
        opened_ = true;
        return stream_.open();
    }
    bool opened() const { return opened_; }
    WT_Result::Enum close() { return stream_.close(); }

    WT_Result::Enum write(WT_Object& object) {
        switch (object.object_id()) {
            // The stream writes its own header and trailer; compressed
            // sections and the relative origin have no meaning in the
            // ASCII form, whose coordinates are absolute.
            case WT_Object::DWF_Header_ID:
            case WT_Object::End_Of_DWF_ID:
            case WT_Object::Compression_Marker_ID:
            case WT_Object::Origin_ID:
                return WT_Result::Success;
            default:
                break;
        }
        if (object.object_type() != WT_Object::Attribute) return object.write(stream_);
        // Written, the attribute is in force in the output too; desired
        // alike, the drawables that follow find nothing to synchronise and
        // no attribute is written twice.
        WT_CHECK(object.write(stream_));
        stream_.desired_attributes() = stream_.current_attributes();
        stream_.desired_attributes().clear_changed(~uint32_t{0});
        return WT_Result::Success;
    }

private:
    WT_Stream stream_;
    bool opened_ = false;
};

WT_Result::Enum copyObjects(W2dFile& input, AsciiOutput& output, ProgressBar& progress) {
    for (;;) {
        const WT_Result::Enum result = input.next();
        progress.update(input.position(), input.size());
        if (result == WT_Result::End_Of_Stream) return WT_Result::Success;
        WT_CHECK(result);
        WT_Object* object = input.stream().current_object();
        if (object == nullptr) continue;
        if (!output.opened()) WT_CHECK(output.open(input.stream().version()));
        WT_CHECK(output.write(*object));
    }
}

}  // namespace

bool disassembleW2d(const std::string& path, std::ostream& out, ProgressBar& progress, std::string& error) {
    WT_Result::Enum result = WT_Result::Success;
    platform::Failure failure;
    try {
        W2dFile input(path);
        AsciiOutput output(out);
        result = input.open();
        if (result == WT_Result::Success) result = copyObjects(input, output, progress);
        failure = input.stream().failure();
        if (output.opened()) {
            const WT_Result::Enum closed = output.close();
            if (result == WT_Result::Success) result = closed;
        }
    } catch (const WT_Result::Enum thrown) {
        result = thrown;
    } catch (const std::bad_alloc&) {
        result = WT_Result::Out_Of_Memory;
    }
    progress.finish();
    if (result == WT_Result::Success) return true;
    error = readFailureText(failure, result);
    return false;
}

int runW2d(const Arguments& arguments, const CommandContext& context) {
    const std::string& fileName = arguments.positional().front();
    int page = 1;
    if (const auto value = arguments.value("--page")) {
        const auto number = parsePositive(*value, 1000000);
        if (!number) {
            context.err << "dwfplot w2d: --page needs a page number from 1\n";
            return ExitUsage;
        }
        page = *number;
    }
    PageStreams streams;
    std::string error;
    if (!streams.open(fileName, error)) {
        context.err << "dwfplot w2d: " << fileName << ": " << error << "\n";
        return ExitBadInput;
    }
    if (static_cast<size_t>(page) > streams.paths().size()) {
        context.err << "dwfplot w2d: " << fileName << ": there is no page " << page << " (the file has "
                    << streams.paths().size() << ")\n";
        return ExitBadInput;
    }
    ProgressBar progress(context.err, context.terminal, "w2d");
    if (!disassembleW2d(streams.paths()[static_cast<size_t>(page) - 1], context.out, progress, error)) {
        context.err << "dwfplot w2d: " << fileName << ": page " << page << ", " << error << "\n";
        return ExitBadInput;
    }
    return ExitOk;
}

}  // namespace dwfplot_tool
