// A document read from a stream is held in one buffer that never grows past
// the size limit: a document at the limit must not cost a buffer of twice
// the limit. Every allocation of this test program goes through the
// operator new below, which notes the largest one while asked to.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

#include "model/xml/xml_input_stream.h"
#include "model/xml/xml_parser.h"

namespace {

std::atomic<bool> watching{false};
std::atomic<size_t> largest{0};

void* allocate(size_t size) {
    if (watching.load(std::memory_order_relaxed)) {
        size_t seen = largest.load(std::memory_order_relaxed);
        while (size > seen && !largest.compare_exchange_weak(seen, size)) {
        }
    }
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(size_t size) { return allocate(size); }
void* operator new[](size_t size) { return allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }

namespace {

// "<a>", white space, "</a>": `size` bytes made on the fly.
class SpacesDocument : public DWFUtil::InputStream {
public:
    explicit SpacesDocument(size_t size) : size_(size) {}
    int64_t read(char* buffer, uint32_t size) override {
        const size_t count = std::min<size_t>(size, size_ - position_);
        for (size_t i = 0; i < count; ++i) buffer[i] = at(position_ + i);
        position_ += count;
        return static_cast<int64_t>(count);
    }

private:
    char at(size_t i) const {
        static const char open[] = "<a>";
        static const char close[] = "</a>";
        if (i < 3) return open[i];
        if (i >= size_ - 4) return close[i - (size_ - 4)];
        return ' ';
    }
    size_t size_;
    size_t position_ = 0;
};

TEST(XmlParserBuffer, ADocumentAtTheLimitIsHeldOnce) {
    const uint64_t limit = uint64_t{4} << 20;
    for (const uint64_t size : {limit - 1, limit, limit - 65536 + 7}) {
        SpacesDocument document(size);
        DWFUtil::XmlParser parser;
        largest = 0;
        watching = true;
        const DWF::DwfResult::Enum result = parser.parseStream(&document, limit);
        watching = false;
        EXPECT_EQ(result, DWF::DwfResult::Success) << size;
        EXPECT_LE(largest.load(), limit + 1) << size;
    }
    // One byte more is refused, still without a larger buffer.
    SpacesDocument tooLarge(limit + 1);
    DWFUtil::XmlParser parser;
    largest = 0;
    watching = true;
    EXPECT_EQ(parser.parseStream(&tooLarge, limit), DWF::DwfResult::InvalidData);
    watching = false;
    EXPECT_LE(largest.load(), limit + 1);
}

}  // namespace
