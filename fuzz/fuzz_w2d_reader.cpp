// The W2D reader over arbitrary bytes, binary and ASCII alike:
// process_next_object until it reports anything but Success, each object
// going through its default process action. The first byte picks how the
// input arrives and what happens to each object; the rest is the stream:
//   bits 0-3  0: all input at once; n: at most n bytes per read call, so
//             objects cut off by Waiting_For_Data are read again later
//   bit 4     write every object read into a second stream, so the writers
//             see what a hostile stream can make the objects hold
//   bit 5     that second stream writes ASCII instead of binary
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "fuzz_workspace.h"
#include "w2d_memory_stream.h"
#include "w2d/stream.h"

namespace {

// Far beyond what any legal input of libFuzzer's lengths needs (compressed
// sections inflate to at most about 1000 times their size); a run that gets
// there has stopped making progress.
constexpr uint64_t kCallLimit = 50'000'000;

struct Rewriter {
    fuzz::W2dMemory memory;
    WT_Stream stream;
    bool open = false;

    explicit Rewriter(bool ascii) {
        memory.keepOutput = false;
        fuzz::useW2dMemory(stream, memory);
        stream.set_file_mode(WT_Stream::File_Write);
        stream.options().set_allow_binary_data(!ascii);
        open = stream.open() == WT_Result::Success;
    }

    void write(const WT_Object& object) {
        if (open) object.write(stream);
    }

    ~Rewriter() {
        if (open) stream.close();
    }
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::enterWorkspace();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t options = data[0];
    fuzz::W2dMemory memory;
    memory.input = data + 1;
    memory.inputSize = size - 1;
    memory.perCall = (options & 0x0F) == 0 ? SIZE_MAX : (options & 0x0F);
    std::unique_ptr<Rewriter> rewriter;
    if (options & 0x10) rewriter = std::make_unique<Rewriter>((options & 0x20) != 0);
    {
        WT_Stream stream;
        fuzz::useW2dMemory(stream, memory);
        stream.set_file_mode(WT_Stream::File_Read);
        WT_Result::Enum result = stream.open();
        for (uint64_t calls = 0; result == WT_Result::Success; ++calls) {
            if (calls == kCallLimit) {
                std::fprintf(stderr, "W2D reader makes no progress\n");
                std::abort();
            }
            result = stream.process_next_object();
            if (result == WT_Result::Waiting_For_Data && memory.position < memory.inputSize) {
                result = WT_Result::Success;
                continue;
            }
            if (result == WT_Result::Success && rewriter && stream.current_object() != nullptr) {
                rewriter->write(*stream.current_object());
            }
        }
        stream.close();
    }
    rewriter.reset();
    fuzz::requireNothingLeft();
    return 0;
}
