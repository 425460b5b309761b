// Every allocation an operation makes fails in turn, the first, then the second, and so on until the
// operation runs through: each run must end in the documented error, or as the run without failure does.
#include <atomic>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <filesystem>
#include <new>

#include "platform/file.h"
#include "support/plot_replay.h"
#include "support/w2d_bytes.h"
#include "w2d/memory_stream.h"

namespace {
std::atomic<bool> counting{false};  // only the library's allocations count, not the test's own
std::atomic<long> left{-1};         // the counted allocation that brings it to zero fails
std::atomic<bool> fired{false};

void* allocate(std::size_t size, std::size_t align, bool nothrow) {
    const bool fail = counting && left.fetch_sub(1) == 1;
    fired = fired || fail;
    void* p = fail ? nullptr : align ? std::aligned_alloc(align, (size + align) / align * align) : std::malloc(size + 1);
    if (!p && !nothrow) throw std::bad_alloc();
    return p;
}
}  // namespace

using std::size_t, std::align_val_t, std::nothrow_t;
void* operator new(size_t n) { return allocate(n, 0, false); }
void* operator new[](size_t n) { return allocate(n, 0, false); }
void* operator new(size_t n, const nothrow_t&) noexcept { return allocate(n, 0, true); }
void* operator new[](size_t n, const nothrow_t&) noexcept { return allocate(n, 0, true); }
void* operator new(size_t n, align_val_t a) { return allocate(n, size_t(a), false); }
void* operator new[](size_t n, align_val_t a) { return allocate(n, size_t(a), false); }
void* operator new(size_t n, align_val_t a, const nothrow_t&) noexcept { return allocate(n, size_t(a), true); }
void* operator new[](size_t n, align_val_t a, const nothrow_t&) noexcept { return allocate(n, size_t(a), true); }
#define FREED_BY(...)                                                              \
    void operator delete(void* p __VA_OPT__(, ) __VA_ARGS__) noexcept { std::free(p); } \
    void operator delete[](void* p __VA_OPT__(, ) __VA_ARGS__) noexcept { std::free(p); }
FREED_BY()
FREED_BY(size_t)
FREED_BY(const nothrow_t&)
FREED_BY(align_val_t)
FREED_BY(size_t, align_val_t)
FREED_BY(align_val_t, const nothrow_t&)

namespace {
struct Counting {
    Counting() { counting = true; }
    ~Counting() { counting = false; }
};
template <class F>  // `call` with its allocations counted
auto lib(F&& call) {
    return Counting(), call();
}

template <class T, class... A>  // null when it cannot be made: a constructor has no other way to fail
std::unique_ptr<T> made(A... args) {
    try {
        return lib([&] { return std::make_unique<T>(args...); });
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

// The host's callbacks: no allocation through operator new.
int encode(IMAGE*, long& size, void*& data) { return data = std::memcpy(std::malloc(6), "JPEG:2", size = 6), 1; }
void release(void* data) { std::free(data); }
IMAGE* load(const char*) { return nullptr; }

const std::string kW2d = testsupport::W2dBytes().polyline({{0, 0}, {10, 10}, {20, 0}}).contours({{{0, 0}, {5, 0}, {5, 5}}})
    .text({3, 4}, "label").image(8, {0, 0}, {20, 30}, "jpegdata").userData("Group", "Roads").finished();

using Once = std::function<std::string()>;
using testsupport::listTree;

class OutOfMemoryTest : public testsupport::PlotReaderTest {
protected:
    // Runs `once` with allocation N failing, N = 1, 2, ..., until a run has none left to fail: a failed run
    // says "failed", one that absorbed its failure gives what the undisturbed run gives; no files are left.
    void exhaust(const char* name, const Once& once) {
        const std::string reference = once();
        EXPECT_TRUE(reference.starts_with("done")) << reference;
        long n = 1;
        for (int failures = 0; n < 100000 && failures < 5; ++n) {
            left = n, fired = false;
            const std::string outcome = once();
            if (!fired) {
                EXPECT_EQ(outcome, reference);
                RecordProperty(name, static_cast<int>(n));
                std::printf("%s: completes at run %ld\n", name, n);
                break;
            }
            const testsupport::Lines files = listTree(tempDir()), cwd = listTree(runDir());
            if ((!outcome.starts_with("failed") && outcome != reference) || !files.empty() || !cwd.empty()) {
                ADD_FAILURE() << name << ", allocation " << n << " failing: " << outcome << ", files left: "
                              << ::testing::PrintToString(files) << ::testing::PrintToString(cwd);
                // The runs after it are still worth seeing, from a clean start.
                for (const std::string& file : files) std::filesystem::remove_all(file);
                ++failures;
            }
        }
        EXPECT_FALSE(fired) << name << " does not complete";
        left = -1;
    }

    // The host's data is made before anything is counted.
    static void draw(DWFPlotFileWriter& w) {
        static std::vector<PenDetail> pens{{255, 0, 0, 0.5}, {0, 0, 255, 1}};
        static const std::set<std::string> options{"1 \"Roads\" 1 0"}, none;
        static const std::vector<std::vector<PlottingPoint>> shape{{{0, 0}, {4, 0}, {4, 4}}, {{1, 1}, {2, 2}}};
        static const PlotFont font;
        IMAGE image{2, 2, 0, nullptr, 0};
        lib([&] {
            w.setPenDetails(pens), w.openPage(options), w.setPen(1);
            for (int i = 0; i < 3; ++i) w.addLine(i, i * i, i == 0 ? 3 : 2, "Roads");
            w.addPolygons(shape, 0, "Parcels");
            w.addText(1, 2, font, 0, L"one", 1, 2, 3, 0.2, 0.2, "Labels");
            w.addText(1, 1, font, 0, L"two", 2, 2, 3, 0.2, 0.2, "Labels");
            w.addImage(1, 1, 2, 3, &image, "Photos");
            w.addSymbol(1.5, 2.25, 1.5, 45, true, "Valve", shape, "Pipes");
            w.addTable("a|b"), w.openPage(none), w.addLine(0, 0, 3, ""), w.addLine(5, 5, 2, "");
        });
    }

    // The getter matching `op`, counted, and what it gave.
    static std::string got(DWFPlotFileReader& r, Plt_Plot_Operation_T op) {
        std::vector<std::vector<PlottingPoint>> shapes(1);
        std::string name, group;
        double v[4] = {};
        int pen = 0;
        bool f = false, g = false;
        PlotFont font;
        IMAGE* image = nullptr;
        const wchar_t* text = L"";
        lib([&] {
            if (op == PLT_PEN) pen = r.getPen();
            if (op == PLT_LINE) r.getLine(shapes[0]);
            if (op == PLT_POLYGONS) r.getPolygons(shapes, pen, group);
            if (op == PLT_TEXT) text = r.getText(v[0], v[1], font, v[2], group);
            if (op == PLT_SYMBOL) r.getSymbol(v[0], v[1], v[2], v[3], f, name, group);
            if (op == PLT_TABLE) r.getTableString(name);
            if (op == PLT_GROUP_OPTIONS) r.getGroupInfo(name, f, g);
            if (op == PLT_IMAGE) r.getImage(v[0], v[1], v[2], v[3], &image, group);
        });
        return std::to_string(op) + " " + std::to_string(pen) + testsupport::shapes(shapes) + name + "'" + group + "'" +
               font.name + std::to_string(std::wcslen(text) + 2 * f + 4 * g) + testsupport::number(v[0] + v[1] + v[2] + v[3]);
    }
};

// W2D: a read answers Out_Of_Memory and stays failed; elsewhere std::bad_alloc reaches the caller.
TEST_F(OutOfMemoryTest, W2dReadAndWrite) {
    exhaust("w2d read", [] {
        w2dtest::Memory memory{kW2d};
        std::string log = "done";
        const auto stream = made<WT_Stream>();
        if (!stream) return std::string("failed: no stream");
        w2dtest::use_memory(*stream, memory), stream->set_file_mode(WT_Stream::File_Read);
        try {  // only process_next_object turns std::bad_alloc into a result
            WT_Result::Enum result = lib([&] { return stream->open(); });
            while (result == WT_Result::Success) {
                result = lib([&] { return stream->process_next_object(); });
                if (result == WT_Result::Success) log += " " + std::to_string(stream->current_object()->object_id());
            }
            if (result == WT_Result::Out_Of_Memory) log = "failed " + std::to_string(lib([&] { return stream->process_next_object(); }));
            return log + " end " + std::to_string(result) + " " + std::to_string(lib([&] { return stream->close(); }));
        } catch (const std::bad_alloc&) {
            return std::string("failed bad_alloc");
        }
    });
    const w2dtest::Kept objects = w2dtest::read_kept(kW2d, [](const WT_Object& o) { return o.object_type() == WT_Object::Drawable; });
    exhaust("w2d write", [&objects] {
        w2dtest::Memory memory;
        const auto stream = made<WT_Stream>();
        if (!stream) return std::string("failed: no stream");
        w2dtest::use_memory(*stream, memory), stream->set_file_mode(WT_Stream::File_Write);
        try {
            WT_Result::Enum result = lib([&] { return stream->open(); });
            for (const auto& object : objects) {
                if (result == WT_Result::Success) result = lib([&] { return object->write(*stream); });
            }
            if (result == WT_Result::Success) result = lib([&] { return stream->close(); });
            return (result == WT_Result::Success ? "done " : "wrong ") + testsupport::hex(memory.bytes);
        } catch (const std::bad_alloc&) {
            return "failed " + std::to_string(lib([&] { return stream->close(); }));
        }
    });
}

// Plots: openPlot false, or a throw of DwfResult::Enum or std::bad_alloc, and no package left; reading:
// canRead's PLT_OUT_OF_MEMORY_ERROR, openPlot false, or fewer operations; no reader call throws.
TEST_F(OutOfMemoryTest, PlotWriteAndRead) {
    const std::string path = workDir() + "plot.dwf";
    const Once write = [&] {
        std::string outcome = "done";
        auto writer = made<DWFPlotFileWriter>(encode, release);
        if (!writer) return std::string("failed: no writer");
        try {
            if (lib([&] { return writer->openPlot(path, 42, 29.7, 1, 1, "mm", 0, "UTF-8", "oom", "1.0"); })) {
                draw(*writer);
                lib([&] { writer->closePlot(); });
            } else {
                outcome = "failed openPlot";
            }
        } catch (DWF::DwfResult::Enum code) {
            outcome = "failed " + std::to_string(code);
        } catch (const std::bad_alloc&) {
            outcome = "failed bad_alloc";
        }
        lib([&] { writer.reset(); });
        if (outcome != "done") return (platform::fileExists(path) ? "package left, " : "") + outcome;
        return outcome + ::testing::PrintToString(testsupport::replayPackage(path).operations);
    };
    exhaust("plot write", [&] {
        const std::string outcome = write();
        return platform::removeFile(path), outcome;
    });
    ASSERT_EQ(write().substr(0, 4), "done");
    size_t whole = 0;
    exhaust("plot read", [&] {
        std::string outcome = "done", message, units, encoding;
        size_t operations = 0;
        auto reader = made<DWFPlotFileReader>(load);
        if (!reader) return std::string("failed: no reader");
        try {
            if (!lib([&] { return reader->canRead(path, message); })) {
                outcome = message == PLT_OUT_OF_MEMORY_ERROR ? "failed canRead" : "wrong message " + message;
            } else if (!lib([&] { return reader->openPlot(path); })) {
                outcome = "failed openPlot";
            } else {
                lib([&] { reader->getPlotUnits(units), encoding = reader->getEncoding(); });
                outcome += " " + units + " " + encoding;
                for (Plt_Plot_Operation_T op = PLT_NONE; op != PLT_END_OF_PLOT && operations < 1000;) {
                    op = lib([&] { return reader->getOperation(); });
                    if (op != PLT_NONE) outcome += " " + got(*reader, op), ++operations;
                }
                lib([&] { reader->closePlot(), reader.reset(); });
            }
        } catch (...) {
            return std::string("wrong: a call threw");
        }
        lib([&] { reader.reset(); });
        if (whole == 0) whole = operations;
        return outcome.starts_with("done") && operations < whole ? "failed: ended early" : outcome;
    });
}

}  // namespace
