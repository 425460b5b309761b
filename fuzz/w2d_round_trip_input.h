// The input of fuzz_w2d_round_trip: the fuzz bytes read as a program that
// builds W2D objects. One byte picks the family of the next object, the bytes
// after it its fields. Every read past the end gives 0, so any input decodes.
//
// Numbers lean towards the values where encodings change (16-bit and 32-bit
// limits, count encoding limits); strings and byte arrays are made of runs,
// each a short piece repeated, so that a few bytes can ask for 100,000
// characters. A budget shared by one input keeps its total size bounded.
#ifndef DWFPLOT_FUZZ_W2D_ROUND_TRIP_INPUT_H
#define DWFPLOT_FUZZ_W2D_ROUND_TRIP_INPUT_H

#include <array>
#include <bit>
#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <type_traits>
#include <vector>

#include "w2d/logical_point.h"
#include "w2d/string.h"

namespace fuzz {

// The first byte of each object, modulo Count.
enum class W2dFamily : uint8_t {
    Point_Set,  // polyline, polygon, polymarker, polytriangle
    Contour_Set,
    Ellipse,
    Text,
    Image,
    User_Data,
    Color,
    Color_Map,
    Switch,  // fill, visibility
    Line_Weight,
    Line_Style,
    Font,
    Viewport,
    Layer,
    Code_Page,
    Marker,  // size, symbol
    Line_Pattern,
    Dash_Pattern,
    Fill_Pattern,
    Merge_Control,
    URL,
    Pen_Pattern,
    Font_Extension,
    Object_Node,
    Units,
    Origin,
    Metadata,
    View,            // named view, view by box, view by name
    Drawing_Record,  // background, plot optimised, inked area, pen-pattern options, projection, plot info
    Group,
    Block_Record,
    Repeat,  // a copy of an object generated before, for encodings that depend on what came earlier
    Count
};

class FuzzInput {
public:
    // Characters, points and bytes one input may ask for in all.
    static constexpr size_t Budget = 400'000;
    // Longest string: past the reader's token limit of 65,536 and the
    // 100,000 characters a string may have to survive.
    static constexpr size_t Maximum_String = 100'001;

    FuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool exhausted() const { return m_position >= m_size; }

    uint8_t byte() { return exhausted() ? 0 : m_data[m_position++]; }
    bool flag() { return (byte() & 1) != 0; }
    // 0 to bound - 1; bound at most 256.
    unsigned below(unsigned bound) { return byte() % bound; }

    // Little-endian.
    template <class T>
    T raw() {
        using Bits = std::make_unsigned_t<T>;
        Bits bits = 0;
        for (size_t index = 0; index < sizeof(T); ++index)
            bits = static_cast<Bits>(bits | static_cast<Bits>(byte()) << (8 * index));
        return static_cast<T>(bits);
    }

    int32_t integer() {
        static constexpr std::array<int32_t, 18> Extremes = {
            0,          1,        -1,     2,         INT16_MAX, INT16_MAX + 1, INT16_MIN, INT16_MIN - 1, UINT16_MAX,
            UINT16_MAX + 1, INT32_MAX, INT32_MIN, INT32_MAX - 1, INT32_MIN + 1, 100'000, -100'000, 65'791, 65'792};
        switch (below(4)) {
            case 0: return Extremes[below(Extremes.size())];
            case 1: return static_cast<int8_t>(byte());
            case 2: return raw<int16_t>();
            default: return raw<int32_t>();
        }
    }

    // Mostly 1 to 7; one in 32 a count where an encoding changes (0 and
    // counts beyond the binary limit included): large sets cost time.
    uint32_t count() {
        static constexpr std::array<uint32_t, 16> Boundaries = {0,   1,   2,     3,     4,      254,    255,    256,
                                                                257, 511, 65535, 65536, 65'790, 65'791, 65'792, 65'793};
        const uint8_t choice = byte();
        if (choice < 248) return choice % 7 + 1;
        return Boundaries[byte() % Boundaries.size()];
    }

    // How often a piece of a string or byte array repeats.
    uint32_t repeats() {
        static constexpr std::array<uint32_t, 12> Lengths = {2,    3,     16,    255,    256,     4096,
                                                             40'000, 65'535, 65'536, 65'537, 100'000, 100'001};
        const uint8_t choice = byte();
        if (choice < 240) return 1;
        return Lengths[byte() % Lengths.size()];
    }

    double real() {
        static constexpr std::array<double, 15> Specials = {
            0.0,      -0.0,     1.0,      -1.0,     0.5,  1e-300, 1e300, DBL_MAX, -DBL_MAX, DBL_MIN,
            DBL_TRUE_MIN, 0.1, std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
            std::numeric_limits<double>::quiet_NaN()};
        switch (below(4)) {
            case 0: return Specials[below(Specials.size())];
            case 1: return static_cast<int8_t>(byte()) / 4.0;
            case 2: return integer() / 1000.0;
            default: return std::bit_cast<double>(raw<uint64_t>());
        }
    }

    // None, empty, 8-bit text over all byte values, or UTF-16 text over all
    // code units (lone surrogates included).
    WT_String string() {
        switch (below(8)) {
            case 0: return WT_String();
            case 1: return WT_String(std::string_view());
            case 2:
            case 3:
            case 4: return WT_String(std::string_view(eight_bit_text()));
            default: return WT_String(std::u16string_view(utf16_text()));
        }
    }

    std::vector<uint8_t> bytes() {
        std::vector<uint8_t> result;
        const unsigned runs = below(4) + 1;
        for (unsigned run = 0; run < runs; ++run) {
            std::vector<uint8_t> piece(below(4) + 1);
            for (uint8_t& value : piece) value = byte();
            append_run(result, piece, repeats(), Maximum_String);
        }
        return result;
    }

    // 16-bit values (text option lists).
    std::vector<uint16_t> values() {
        std::vector<uint16_t> result;
        const uint32_t wanted = take(count());
        const bool progression = flag();
        const auto start = raw<uint16_t>();
        const auto step = static_cast<uint16_t>(progression ? raw<int8_t>() : 0);
        for (uint32_t index = 0; index < wanted; ++index) {
            const bool derived = progression || exhausted();
            result.push_back(derived ? static_cast<uint16_t>(start + index * step) : raw<uint16_t>());
        }
        return result;
    }

    // Braces, so that x is read before y.
    WT_Logical_Point point() { return WT_Logical_Point{integer(), integer()}; }

    // Points given one by one, as an arithmetic progression or as a random
    // walk whose steps fit 8, 16, 17 or 32 bits, so that every relative form
    // and the set-origin form are reached.
    std::vector<WT_Logical_Point> points(uint32_t wanted) {
        wanted = take(wanted);
        std::vector<WT_Logical_Point> result;
        result.reserve(wanted);
        switch (below(3)) {
            case 0:
                for (uint32_t index = 0; index < wanted; ++index) result.push_back(point());
                break;
            case 1: progression(result, wanted); break;
            default: random_walk(result, wanted); break;
        }
        return result;
    }

    size_t budget() const { return m_budget; }

    // Takes up to `wanted` units of the budget and tells how many it got.
    uint32_t take(uint32_t wanted) {
        const size_t granted = wanted < m_budget ? wanted : m_budget;
        m_budget -= granted;
        return static_cast<uint32_t>(granted);
    }

private:
    template <class Text, class Piece>
    void append_run(Text& text, const Piece& piece, uint32_t times, size_t limit) {
        for (uint32_t time = 0; time < times && text.size() + piece.size() <= limit; ++time) {
            if (take(static_cast<uint32_t>(piece.size())) < piece.size()) return;
            text.insert(text.end(), piece.begin(), piece.end());
        }
    }

    char eight_bit_character() {
        // Quotes, brackets, escapes, whitespace, digits and signs first: the
        // characters that decide how a string is quoted and read.
        static constexpr char Pool[] = "'\"(){}\\ \t\r\n0123456789+-.,;:aZ_#*/<=>?@[]^`|~";
        const uint8_t choice = byte();
        if (choice < 128) return choice % 16 == 15 ? '\0' : Pool[choice % (sizeof Pool - 1)];
        return static_cast<char>(byte());
    }

    char16_t utf16_unit() {
        static constexpr char16_t Pool[] = {u'\'', u'"',   u'(',    u')',    u'{',    u'}',    u'\\',   u' ',
                                            u'\t', u'\n',  u'0',    u'9',    u'-',    u'+',    u'a',    0x00,
                                            0x7F,  0x80,   0xFF,    0x100,   0x7FF,   0x800,   0x20AC,  0xD800,
                                            0xDBFF, 0xDC00, 0xDFFF, 0xE000, 0xFEFF, 0xFFFD, 0xFFFE, 0xFFFF};
        const uint8_t choice = byte();
        if (choice < 128) return Pool[choice % (sizeof Pool / sizeof Pool[0])];
        return raw<char16_t>();
    }

    std::string eight_bit_text() {
        std::string text;
        const unsigned runs = below(6) + 1;
        for (unsigned run = 0; run < runs; ++run) {
            std::string piece(below(3) + 1, ' ');
            for (char& c : piece) c = eight_bit_character();
            append_run(text, piece, repeats(), Maximum_String);
        }
        return text;
    }

    std::u16string utf16_text() {
        std::u16string text;
        const unsigned runs = below(6) + 1;
        for (unsigned run = 0; run < runs; ++run) {
            std::u16string piece(below(3) + 1, u' ');
            for (char16_t& unit : piece) unit = utf16_unit();
            append_run(text, piece, repeats(), Maximum_String);
        }
        return text;
    }

    void progression(std::vector<WT_Logical_Point>& result, uint32_t wanted) {
        const WT_Logical_Point start = point();
        const WT_Logical_Point step = point();
        WT_Logical_Point current = start;
        for (uint32_t index = 0; index < wanted; ++index) {
            result.push_back(current);
            current = WT_Logical_Point(wt_wrapping_add(current.m_x, step.m_x), wt_wrapping_add(current.m_y, step.m_y));
        }
    }

    void random_walk(std::vector<WT_Logical_Point>& result, uint32_t wanted) {
        static constexpr std::array<uint32_t, 4> Reaches = {127, INT16_MAX, UINT16_MAX, UINT32_MAX};
        const uint32_t reach = Reaches[below(Reaches.size())];
        uint32_t state = raw<uint32_t>() | 1;
        WT_Logical_Point current = point();
        for (uint32_t index = 0; index < wanted; ++index) {
            result.push_back(current);
            current = WT_Logical_Point(wt_wrapping_add(current.m_x, step(state, reach)),
                                       wt_wrapping_add(current.m_y, step(state, reach)));
        }
    }

    // A step of -reach to reach from a xorshift generator.
    static int32_t step(uint32_t& state, uint32_t reach) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        if (reach == UINT32_MAX) return static_cast<int32_t>(state);
        return static_cast<int32_t>(static_cast<int64_t>(state % (2 * uint64_t{reach} + 1)) - reach);
    }

    const uint8_t* m_data;
    size_t m_size;
    size_t m_position = 0;
    size_t m_budget = Budget;
};

}  // namespace fuzz

#endif  // DWFPLOT_FUZZ_W2D_ROUND_TRIP_INPUT_H
