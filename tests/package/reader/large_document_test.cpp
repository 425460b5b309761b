// A document near the size limit is read in about twice its size: its bytes
// while they are parsed, and the text the model keeps of them.
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "package/reader/eplot_dwf_reader.h"
#include "support/package_builder.h"
#include "support/temp_dir_test.h"

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define DWFPLOT_SANITIZED 1
#elif defined(__has_feature)
#define DWFPLOT_SANITIZED (__has_feature(address_sanitizer) || __has_feature(thread_sanitizer))
#else
#define DWFPLOT_SANITIZED 0
#endif

namespace {

using namespace testsupport;

constexpr long kMiB = 1024;  // in the KiB of ru_maxrss

long peakKib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// How far the memory of a process of its own rises while it reads the
// package's manifest and pages, in KiB, or -1 when the read fails. The peak is
// a high-water mark per process, so no other test can set it.
long readingGrowth(const std::string& path) {
    int fds[2];
    if (pipe(fds) != 0) return -1;
    malloc_trim(0);  // the child starts with no free memory of ours in hand
    const pid_t child = fork();
    if (child == 0) {
        const long before = peakKib();
        long growth = -1;
        try {
            DWFEPlot::EPlotDwfReader reader(DWFUtil::String::fromUtf8(path), {});
            const auto manifest = reader.getManifest();
            if (!manifest.isNull() && reader.getEPlotPages().size() == 1) growth = peakKib() - before;
        } catch (...) {
        }
        const bool sent = write(fds[1], &growth, sizeof growth) == sizeof growth;
        _exit(sent ? 0 : 1);
    }
    close(fds[1]);
    long growth = -1;
    if (child < 0 || read(fds[0], &growth, sizeof growth) != sizeof growth) growth = -1;
    close(fds[0]);
    if (child > 0) waitpid(child, nullptr, 0);
    return growth;
}

using LargeDocumentTest = TempDirTest;

// One huge value (plain and with references), one huge text broken by
// comments, and many large properties: every way in which a manifest's
// bytes end up in the model. (A small element costs a model object of its
// own, which is not what this measures.)
TEST_F(LargeDocumentTest, ManifestNearTheLimitCostsAboutTwiceItsSize) {
#if DWFPLOT_SANITIZED
    GTEST_SKIP() << "sanitizers change what memory a read takes";
#endif
    const std::string property = "<dwf:Property name=\"Big\" value=\"";
    const struct { const char* name; std::string open, piece, close; } cases[] = {
        {"value", property, std::string(4096, 'v'), "\"/>"},
        {"escaped value", property, std::string(4091, 'v') + "&amp;", "\"/>"},
        {"text", property + "v\">", std::string(4089, 't') + "<!---->", "</dwf:Property>"},
        {"properties", "", property + std::string(65536, 'v') + "\"/>", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PackageLayout layout = plotPackage({"page"});
        std::string& manifest = layout.manifestOverride = manifestXml(layout);
        std::string big = c.open;
        big.reserve((size_t{60} << 20) + c.piece.size() + 64);
        while (big.size() < (size_t{60} << 20)) big += c.piece;
        manifest.insert(manifest.find("<dwf:Properties>") + 16, big + c.close);
        big = std::string();
        const long size = static_cast<long>(manifest.size() / 1024);
        const std::string path = workDir() + "large.dwf";
        writePackage(path, layout);
        layout = PackageLayout();
        const long growth = readingGrowth(path);
        EXPECT_GT(growth, size);  // the model holds the text
        EXPECT_LE(growth, 2 * size + 6 * kMiB) << size << " KiB read with " << growth << " KiB";
    }
}

}  // namespace
