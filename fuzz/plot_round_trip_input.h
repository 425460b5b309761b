// The input of fuzz_plot_round_trip: a byte string that decodes into a host's
// plot, call by call. The decoder reads front to back and reads zeros past
// the end, so every input is a plot and a cut-off one is just shorter. The
// encoder writes the same format; make_seeds builds its seeds with it, so the
// two can never drift apart.
//
//   input   := pens openPlot { call }
//   pens    := count (u8 % 9) { red green blue (i16 each) width (real) }
//   openPlot:= pageWidth pageHeight xScale yScale (real each)
//              units encoding productName productVersion (label each)
//   call    := kind (u8 % Call::Count) and the kind's fields, read by the
//              target's decoder in the order its HostCall lists them, each
//              with one of the primitives below
//
//   real    := tag (u8), then by tag % 8: 0 i8; 1 i16/1000; 2 i16/8;
//              3 i32/1000 + 0.0005; 4 a value of kSpecialReals; 5 the eight
//              bytes of a double; 6 i16/3; 7 i32/1000
//   text    := length (u8); below 0xF0 that many pieces (length % 32), one
//              byte each; from 0xF0 on a pattern of 1 or 2 pieces repeated
//              65530 + u8 times (labels: always length % 32 pieces)
//   wide    := the same with code points for pieces; a long one repeats
//              65530 + u8 times (even mode byte) or 60000 + 16 * u16 times
//
// Integers are little-endian.
#ifndef DWFPLOT_FUZZ_PLOT_ROUND_TRIP_INPUT_H
#define DWFPLOT_FUZZ_PLOT_ROUND_TRIP_INPUT_H

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace plotinput {

// The calls a plot is made of after openPlot. LineRun and TextBlock are one
// line or one text of several host calls, cheap to reach for the mutator.
enum class Call : uint8_t {
    OpenPage,
    ClosePage,
    AddLine,
    LineRun,
    AddPolygons,
    SetPen,
    AddSymbol,
    AddText,
    TextBlock,
    AddTable,
    AddImage,
    SetPenDetails,
    Count
};

// Values where rounding to thousandths, the 32-bit range of logical units
// or the number formats have their edges.
inline constexpr double kSpecialReals[] = {
    0.0,       -0.0,        0.0005,      -0.0005,        1.0005,       2.0005,       1.005,
    0.57,      0.1,         1e-320,      2147483.647,    2147483.6475, 2147483.648,  -2147483.648,
    -2147483.6485, -2147483.649, 3e6,    -3e6,           1e300,        -1e300,       0.9999999,
    123456.789, 33.3335,    1e15,        std::numeric_limits<double>::infinity(),
    -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN(), 39.37, 78.74,
    360.0,     -90.0,       0.005,       0.015,          0.125,        1e-3,         4.9999999999,
};
inline constexpr size_t kSpecialRealCount = sizeof kSpecialReals / sizeof kSpecialReals[0];

// Pieces of narrow names, groups and tables: bytes the record formats give a
// meaning (space, double quote, zero), line breaks, UTF-8 of every length and
// bytes that are no UTF-8 at all.
inline constexpr std::string_view kNamePieces[] = {
    "a", "B", "z", "0", "7", " ", "  ", "\"", "'", "_", "-", ".", "|", "\\", "/", "\t", "\n", "\r",
    "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\xFF", "\xC3", "\x01", "\x7F", "&", "<", ">",
    "Roads", "Group 1", "%s", "{", "(", ")", ",", "1", "+", "nan", std::string_view("\0", 1), "\v",
};
// Group option names: the host composes them into a C string, so no zero.
inline constexpr std::string_view kOptionNamePieces[] = {
    "a", "B", "0", "7", " ", "\"", "'", "_", "-", "\t", "\xC3\xA9", "\xF0\x9F\x98\x80", "\xFF", "1 0", "Roads",
};
// Manifest labels (units, encoding, product): XML text, valid UTF-8.
inline constexpr std::string_view kLabelPieces[] = {
    "I", "mm", "M", "i", "n", "UTF-8", "ISO8859_1", " ", "\"", "'", "&", "<", ">", "&amp;", "\t", "\n", "\r",
    "\x01", "\x7F", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "9", ".", "Kestra",
};
// Code points of text lines: every plane, the surrogates (also as the two
// halves of a pair, one piece each), beyond U+10FFFF and negative wchar_t;
// the space twice, as blank lines have rules of their own.
inline constexpr int32_t kTextPieces[] = {
    'a', 'Z', ' ', ' ', '0', '\t', '\n', '"', '\'', '\\', '{', '}', '(', ')', 0x01, 0x7F, 0x80, 0x9F, 0xA0,
    0xE9, 0x3A9, 0x20AC, 0xFEFF, 0xFFFD, 0xFFFE, 0xFFFF, 0xD800, 0xDBFF, 0xDC00, 0xDFFF, 0xD83D, 0xDE00,
    0x10000, 0x1F600, 0x10FFFF, 0x110000, -1, 0x7FFFFFFF, 0,
};

template <typename T, size_t N>
constexpr size_t countOf(const T (&)[N]) {
    return N;
}

// Small integers for pens and option numbers (tag below 0xC0: tag % 10),
// else one of these, and from 0xFF a raw 32-bit value.
inline constexpr int32_t kEdgeNumbers[] = {-1, -1000, -999, 1000, INT32_MAX, INT32_MIN, 255, 256};
inline constexpr uint8_t kFirstEdgeNumber = 0xC0;
inline constexpr uint8_t kRawNumber = 0xFF;
// Pen codes: a tag below 0x80 is pen up (odd) or pen down (even).
inline constexpr int kPenUp = 3;
inline constexpr int kPenDown = 2;
inline constexpr int kOtherPenCodes[] = {0, 1, -1, 4, 5, INT32_MIN, INT32_MAX, kPenUp};
// Group option flags: the host writes 1 or 0, and a few others are read.
inline constexpr int32_t kOptionFlags[] = {0, 1, 1, 0, 2, -1, 11, 0};
// Text line index and count: tag % 7 - 1 (-1 to 5), from 0xF0 one of these.
inline constexpr int kFarLineNumbers[] = {INT32_MIN, INT32_MAX, 1000, -1000};
// Image kinds: tag % 6 below 0x80 (0 JPEG, 1-4 PNG, 5 skipped), else the
// tag as a signed byte.
inline constexpr int kImageKinds = 6;
// The encoder's answer: 0 declines, n encodes (n - 1) % 24 bytes.
inline constexpr size_t kLongestEncoding = 24;

// Above this text length byte a text is a long repetition.
inline constexpr uint8_t kLongText = 0xF0;
inline constexpr size_t kShortTextPieces = 32;
inline constexpr size_t kLongNarrowBase = 65530;
inline constexpr size_t kLongWideNearLimit = 65530;
inline constexpr size_t kLongWideBase = 60000;
inline constexpr size_t kLongWideStep = 16;
// A wide piece byte from here on is followed by a raw 32-bit code point.
inline constexpr uint8_t kRawCodePoint = 0xF0;

// Reads the fuzz bytes front to back; past the end every read gives zero.
class ByteSource {
public:
    ByteSource(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool exhausted() const { return at_ >= size_; }

    uint8_t u8() { return at_ < size_ ? data_[at_++] : 0; }
    // Low part first; the reads are sequenced, never two in one expression.
    uint16_t u16() {
        const uint16_t low = u8();
        return static_cast<uint16_t>(low | u8() << 8);
    }
    uint32_t u32() {
        const uint32_t low = u16();
        return low | static_cast<uint32_t>(u16()) << 16;
    }
    int8_t i8() { return static_cast<int8_t>(u8()); }
    int16_t i16() { return static_cast<int16_t>(u16()); }
    int32_t i32() { return static_cast<int32_t>(u32()); }
    bool flag() { return (u8() & 1) != 0; }

    int32_t number() {
        const uint8_t tag = u8();
        if (tag < kFirstEdgeNumber) return tag % 10;
        if (tag == kRawNumber) return i32();
        return kEdgeNumbers[tag % countOf(kEdgeNumbers)];
    }
    int penCode() {
        const uint8_t tag = u8();
        if (tag < 0x80) return (tag & 1) ? kPenUp : kPenDown;
        return kOtherPenCodes[tag % countOf(kOtherPenCodes)];
    }
    int32_t optionFlag() { return kOptionFlags[u8() % countOf(kOptionFlags)]; }
    int lineNumber() {
        const uint8_t tag = u8();
        if (tag >= 0xF0) return kFarLineNumbers[tag % countOf(kFarLineNumbers)];
        return tag % 7 - 1;
    }
    int32_t imageKind() {
        const uint8_t tag = u8();
        return tag < 0x80 ? tag % kImageKinds : static_cast<int8_t>(tag);
    }
    // The byte count our encoder answers with; none when it declines.
    std::optional<size_t> encodedSize() {
        const uint8_t answer = u8();
        if (answer == 0) return std::nullopt;
        return (answer - 1u) % kLongestEncoding;
    }

    double real() {
        const uint8_t tag = u8();
        switch (tag % 8) {
            case 0: return i8();
            case 1: return i16() / 1000.0;
            case 2: return i16() / 8.0;
            case 3: return i32() / 1000.0 + 0.0005;
            case 4: return kSpecialReals[u8() % kSpecialRealCount];
            case 5: {
                uint64_t bits = u32();
                bits |= static_cast<uint64_t>(u32()) << 32;
                double value = 0;
                std::memcpy(&value, &bits, sizeof value);
                return value;
            }
            case 6: return i16() / 3.0;
            default: return i32() / 1000.0;
        }
    }

    // `mayBeLong` false: the length byte always counts pieces.
    template <size_t N>
    std::string text(const std::string_view (&pieces)[N], bool mayBeLong = true) {
        std::string out;
        const uint8_t length = u8();
        if (length < kLongText || !mayBeLong) {
            for (size_t i = 0; i < length % kShortTextPieces; ++i) out += pieces[u8() % N];
            return out;
        }
        const std::string pattern = patternOf(pieces);
        const size_t repeats = kLongNarrowBase + u8();
        out.reserve(pattern.size() * repeats);
        for (size_t i = 0; i < repeats; ++i) out += pattern;
        return out;
    }

    std::wstring wide() {
        std::wstring out;
        const uint8_t length = u8();
        if (length < kLongText) {
            for (size_t i = 0; i < length % kShortTextPieces; ++i) out += codePoint();
            return out;
        }
        std::wstring pattern(1, codePoint());
        if (length & 1) pattern += codePoint();
        const uint8_t mode = u8();
        const size_t repeats = (mode & 1) == 0 ? kLongWideNearLimit + u8() : kLongWideBase + kLongWideStep * u16();
        out.reserve(pattern.size() * repeats);
        for (size_t i = 0; i < repeats; ++i) out += pattern;
        return out;
    }

private:
    template <size_t N>
    std::string patternOf(const std::string_view (&pieces)[N]) {
        const uint8_t shape = u8();
        std::string pattern(pieces[u8() % N]);
        if (shape & 1) pattern += pieces[u8() % N];
        return pattern;
    }

    wchar_t codePoint() {
        const uint8_t piece = u8();
        if (piece >= kRawCodePoint) return static_cast<wchar_t>(i32());
        return static_cast<wchar_t>(kTextPieces[piece % countOf(kTextPieces)]);
    }

    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

// Writes the format ByteSource reads: the seeds' way of spelling a plot.
class InputBuilder {
public:
    InputBuilder& call(Call kind) { return u8(static_cast<uint8_t>(kind)); }
    InputBuilder& u8(uint8_t value) {
        bytes_.push_back(static_cast<char>(value));
        return *this;
    }
    InputBuilder& u16(uint16_t value) { return u8(static_cast<uint8_t>(value)).u8(static_cast<uint8_t>(value >> 8)); }
    InputBuilder& i16(int16_t value) { return u16(static_cast<uint16_t>(value)); }
    InputBuilder& i32(int32_t value) {
        const auto bits = static_cast<uint32_t>(value);
        return u16(static_cast<uint16_t>(bits)).u16(static_cast<uint16_t>(bits >> 16));
    }

    // The spellings of ByteSource's small values (see there).
    InputBuilder& number(int32_t value) {
        if (value >= 0 && value < 10) return u8(static_cast<uint8_t>(value));
        return u8(kRawNumber).i32(value);
    }
    InputBuilder& penCode(int code) { return u8(code == kPenUp ? 1 : 0); }
    InputBuilder& optionFlag(bool on) { return u8(on ? 1 : 0); }
    InputBuilder& lineNumber(int n) { return u8(static_cast<uint8_t>(n + 1)); }  // -1 to 5
    InputBuilder& imageKind(int kind) { return u8(static_cast<uint8_t>(kind)); }  // 0 to 5
    InputBuilder& encodedSize(std::optional<size_t> size) {  // below 24
        return u8(size ? static_cast<uint8_t>(*size + 1) : 0);
    }

    // A whole number of thousandths within 16 bits, else the double's bytes.
    InputBuilder& real(double value) {
        const double thousandths = value * 1000.0;
        if (std::fabs(thousandths) <= 32767 && thousandths == std::trunc(thousandths)) {
            return u8(1).i16(static_cast<int16_t>(thousandths));
        }
        uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        return u8(5).i32(static_cast<int32_t>(bits)).i32(static_cast<int32_t>(bits >> 32));
    }

    // Pieces by their index in the piece table the field is read with.
    InputBuilder& pieces(std::initializer_list<uint8_t> indices) {
        u8(static_cast<uint8_t>(indices.size()));
        for (uint8_t index : indices) u8(index);
        return *this;
    }
    // A text made of whole pieces of `table`, found greedily, longest first.
    template <size_t N>
    InputBuilder& text(std::string_view value, const std::string_view (&table)[N]) {
        std::string indices;
        while (!value.empty()) {
            size_t best = N;
            for (size_t i = 0; i < N; ++i) {
                if (value.substr(0, table[i].size()) == table[i] && !table[i].empty() &&
                    (best == N || table[i].size() > table[best].size())) {
                    best = i;
                }
            }
            if (best == N) {
                spelled_ = false;
                break;
            }
            indices.push_back(static_cast<char>(best));
            value.remove_prefix(table[best].size());
        }
        u8(static_cast<uint8_t>(indices.size()));
        bytes_ += indices;
        return *this;
    }
    InputBuilder& wide(std::wstring_view value) {
        u8(static_cast<uint8_t>(value.size()));
        for (wchar_t c : value) u8(kRawCodePoint).i32(static_cast<int32_t>(c));
        return *this;
    }
    // One code point repeated 65530 + extra times (extra below 256).
    InputBuilder& wideNearLimit(wchar_t c, uint8_t extra) {
        return u8(kLongText).u8(kRawCodePoint).i32(static_cast<int32_t>(c)).u8(0).u8(extra);
    }
    // One code point repeated 60000 + 16 * steps times.
    InputBuilder& wideInSteps(wchar_t c, uint16_t steps) {
        return u8(kLongText).u8(kRawCodePoint).i32(static_cast<int32_t>(c)).u8(1).u16(steps);
    }

    const std::string& bytes() const { return bytes_; }
    // False when a text had a part no piece spells (the rest was left out).
    bool spelled() const { return spelled_; }

private:
    std::string bytes_;
    bool spelled_ = true;
};

}  // namespace plotinput

#endif  // DWFPLOT_FUZZ_PLOT_ROUND_TRIP_INPUT_H
