// Shared by the hostile-input tests: a fixture that also runs each test in a
// working directory of its own (the reader puts images there) and checks it
// is left empty, a replay of a package through the public reader into a
// transcript, a small plot written by the public writer, and builders for
// packages and W2D streams written byte by byte, as another producer would.
#ifndef DWFPLOT_TESTS_HOSTILE_HOSTILE_SUPPORT_H
#define DWFPLOT_TESTS_HOSTILE_HOSTILE_SUPPORT_H

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "plotfile/reader/reader_inputs.h"
#include "support/temp_dir_test.h"

namespace hostile {

// The peak resident size the whole suite stays under.
inline constexpr long kResidentLimitKiB = 256L * 1024;

class HostileTest : public testsupport::TempDirTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The working directory the test runs in, ending with '/'.
    const std::string& runDir() const { return runDir_; }
    // Fails the test when the process's peak resident size has reached the
    // limit; skipped under AddressSanitizer, whose shadow memory counts.
    static void expectBoundedMemory();

private:
    std::string savedCwd_;
    std::string runDir_;
};

// Everything a host learns from one package: canRead, openPlot, and every
// operation with its getter's data, one line each.
struct Replay {
    bool readable = false;
    std::string message;
    bool opened = false;
    // True when the operations ended with PLT_END_OF_PLOT within the bound.
    bool ended = false;
    size_t operations = 0;
    std::string transcript;
};

// Replays `path` through DWFPlotFileReader; at most `maxOperations` calls of
// getOperation, so a reader that never ends shows as !ended.
Replay replay(const std::string& path, size_t maxOperations = 100000);

// The host names canRead may give on refusal.
bool isHostErrorName(const std::string& message);

// A plot of two pages (lines, a polygon, a two-line text, a pen table), as a
// host draws it through DWFPlotFileWriter; false when openPlot refused.
// Exceptions from the writer reach the caller. Without `closePlot` the
// writer's destruction finishes the package.
bool drawSmallPlot(const std::string& path, bool closePlot = true);

// --- bytes -----------------------------------------------------------------
void put16(std::string& out, uint16_t value);
void put32(std::string& out, uint32_t value);
uint16_t get16(const std::string& bytes, size_t at);
uint32_t get32(const std::string& bytes, size_t at);

// Page streams are built byte by byte with the plot reader tests' builder.
using readertest::Point;
using readertest::W2dBytes;

// A page stream that begins with one polyline from (1, 2) to (3000, 4000),
// and what the reader reports for that page when nothing follows it.
W2dBytes onePolyline();
inline constexpr char kOnePolylinePage[] =
    "0 \n"
    "2 0\n"
    "5  0.0010,0.0020 3.0000,4.0000\n"
    "8 \n";
// The transcript without its first line (the plot's properties).
std::string operationsOf(const Replay& replay);

// --- packages written without the plot writer --------------------------------
struct Entry {
    std::string name;
    std::string content;
};

// manifest.xml of a package marked as this library's, one ePlot section per
// descriptor name, with the ePlot interface.
std::string manifestXml(const std::vector<std::string>& descriptors);
// A page descriptor whose one graphics resource is `href`.
std::string descriptorXml(const std::string& href);
// A one-page package: manifest, descriptor "section1\descriptor.xml" and the
// page stream under `streamName`.
std::vector<Entry> onePagePackage(const std::string& w2d, const std::string& streamName = "section1\\page.w2d");

// Writes the entries with the project's ZIP writer, behind the DWF header.
void writeArchive(const std::string& path, const std::vector<Entry>& entries);

// An entry whose compressed bytes the test made itself.
struct RawEntry {
    std::string name;
    uint16_t method = 8;
    uint32_t crc = 0;
    uint32_t uncompressedSize = 0;
    std::string data;
};
RawEntry deflatedEntry(const std::string& name, const std::string& content);
// `prefix`, then `fillCount` bytes `fill`, then `suffix`, deflated without
// ever holding the whole: the fill is one deflated megabyte repeated.
RawEntry inflatingEntry(const std::string& name, const std::string& prefix, char fill, uint32_t fillMegabytes,
                        const std::string& suffix);
// An archive behind the DWF header, every record written by the test.
std::string archiveBytes(const std::vector<RawEntry>& entries);

// Where the ZIP records of an archive are: every local header, every central
// header and the end record, each as its fixed part followed by its names
// (file name, extra field, comment).
struct Record {
    size_t start;
    size_t fixedLength;
    size_t nameLength;
};
std::vector<Record> zipRecords(const std::string& archive);

}  // namespace hostile

#endif  // DWFPLOT_TESTS_HOSTILE_HOSTILE_SUPPORT_H
