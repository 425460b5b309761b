// How lines are joined, capped and patterned. Only ASCII: "(LineStyle" with
// one option per defined value that changed.
#ifndef DWFPLOT_W2D_LINE_STYLE_H
#define DWFPLOT_W2D_LINE_STYLE_H

#include <cstdint>
#include <string_view>

#include "w2d/object.h"
#include "w2d/opcode.h"

class WT_Line_Style : public WT_Attribute {
public:
    static constexpr WT_ID ID = Line_Style_ID;
    static constexpr std::string_view Token = "(LineStyle";

    enum WT_Capstyle_ID { Butt_Cap = 0, Square_Cap = 1, Round_Cap = 2, Diamond_Cap = 3 };
    enum WT_Joinstyle_ID { Miter_Join = 0, Bevel_Join = 1, Round_Join = 2, Diamond_Join = 3 };

    // The defined bit of each option.
    enum WT_Option_Bit : uint32_t {
        Adapt_Patterns_Bit = 0x1,
        Dash_End_Cap_Bit = 0x2,
        Dash_Start_Cap_Bit = 0x4,
        Line_End_Cap_Bit = 0x8,
        Line_Join_Bit = 0x10,
        Line_Start_Cap_Bit = 0x20,
        Miter_Angle_Bit = 0x40,
        Miter_Length_Bit = 0x80,
        Pattern_Scale_Bit = 0x100,
    };
    // The options that describe a line's outline, which only matter for
    // lines that have a width.
    static constexpr uint32_t Weighted_Options = Line_Join_Bit | Dash_Start_Cap_Bit | Dash_End_Cap_Bit |
                                                 Line_Start_Cap_Bit | Line_End_Cap_Bit | Miter_Angle_Bit |
                                                 Miter_Length_Bit;

    // Reads the option names of "(LineStyle" and the ")" ending them.
    class WT_Line_Style_Option_Code : public WT_Optioncode {
    public:
        // The bit of the option named, 0 for an unknown name.
        uint32_t option_bit() const;
    };

    uint32_t defined() const { return m_defined; }
    bool adapt_patterns() const { return m_adapt_patterns; }
    double pattern_scale() const { return m_pattern_scale; }
    WT_Joinstyle_ID line_join() const { return m_line_join; }
    WT_Capstyle_ID dash_start_cap() const { return m_dash_start_cap; }
    WT_Capstyle_ID dash_end_cap() const { return m_dash_end_cap; }
    WT_Capstyle_ID line_start_cap() const { return m_line_start_cap; }
    WT_Capstyle_ID line_end_cap() const { return m_line_end_cap; }
    uint16_t miter_angle() const { return m_miter_angle; }
    uint16_t miter_length() const { return m_miter_length; }

    // Each setter defines its option.
    void set_adapt_patterns(bool on) {
        define(Adapt_Patterns_Bit);
        m_adapt_patterns = on;
    }
    void set_pattern_scale(double scale) {
        define(Pattern_Scale_Bit);
        m_pattern_scale = scale;
    }
    void set_line_join(WT_Joinstyle_ID join) {
        define(Line_Join_Bit);
        m_line_join = join;
    }
    void set_dash_start_cap(WT_Capstyle_ID cap) {
        define(Dash_Start_Cap_Bit);
        m_dash_start_cap = cap;
    }
    void set_dash_end_cap(WT_Capstyle_ID cap) {
        define(Dash_End_Cap_Bit);
        m_dash_end_cap = cap;
    }
    void set_line_start_cap(WT_Capstyle_ID cap) {
        define(Line_Start_Cap_Bit);
        m_line_start_cap = cap;
    }
    void set_line_end_cap(WT_Capstyle_ID cap) {
        define(Line_End_Cap_Bit);
        m_line_end_cap = cap;
    }
    void set_miter_angle(uint16_t angle) {
        define(Miter_Angle_Bit);
        m_miter_angle = angle;
    }
    void set_miter_length(uint16_t length) {
        define(Miter_Length_Bit);
        m_miter_length = length;
    }

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    // Writes every defined option.
    WT_Result::Enum write_value(WT_Stream& stream) const override;
    // Writes the defined options that differ from the current line style;
    // the outline options only while the desired line weight is positive.
    WT_Result::Enum sync(WT_Stream& stream) const override;
    // Merges the options read into the current line style.
    WT_Result::Enum store(WT_Stream& stream) const override;
    bool equals(const WT_Attribute& other) const override;
    bool operator==(const WT_Line_Style& other) const;

    // Options of `bits` whose values differ (or whose definedness differs).
    uint32_t differing(const WT_Line_Style& other, uint32_t bits) const;
    // Copies the options of `bits` from `source`, defining them.
    void copy_options(const WT_Line_Style& source, uint32_t bits);

private:
    void define(uint32_t bit) { m_defined |= bit; }
    WT_Result::Enum write_options(WT_Stream& stream, uint32_t bits) const;
    WT_Result::Enum write_option(WT_Stream& stream, uint32_t bit) const;
    WT_Result::Enum read_option(WT_Stream& stream, uint32_t bit);
    bool same_value(const WT_Line_Style& other, uint32_t bit) const;

    uint32_t m_defined = 0;
    bool m_adapt_patterns = false;
    double m_pattern_scale = 1.0;
    WT_Joinstyle_ID m_line_join = Miter_Join;
    WT_Capstyle_ID m_dash_start_cap = Butt_Cap;
    WT_Capstyle_ID m_dash_end_cap = Butt_Cap;
    WT_Capstyle_ID m_line_start_cap = Butt_Cap;
    WT_Capstyle_ID m_line_end_cap = Butt_Cap;
    uint16_t m_miter_angle = 10;
    uint16_t m_miter_length = 0;
};

#endif  // DWFPLOT_W2D_LINE_STYLE_H
