#include <gtest/gtest.h>

#include "memory_stream.h"
#include "support/temp_dir_test.h"

using testsupport::hex;
using w2dtest::body_of;
using w2dtest::Memory;
using w2dtest::write_stream;

namespace {

TEST(W2dWriteDiscipline, FailedSyncLeavesTheAttributeToBeWrittenAgain) {
    Memory memory;
    WT_Stream stream;
    w2dtest::use_memory(stream, memory);
    stream.set_file_mode(WT_Stream::File_Write);
    ASSERT_EQ(stream.open(), WT_Result::Success);
    stream.desired_attributes().set(WT_Line_Weight(7));
    memory.fail_writes = true;
    EXPECT_EQ(stream.sync_attributes(0x2FA53F), WT_Result::Write_Failed);
    EXPECT_EQ(stream.current_attributes().line_weight().weight_value(), 0);
    EXPECT_NE(stream.desired_attributes().changed() & WT_Attribute_Set::Line_Weight_Bit, 0u);
    memory.fail_writes = false;
    EXPECT_EQ(stream.sync_attributes(0x2FA53F), WT_Result::Success);
    EXPECT_EQ(stream.current_attributes().line_weight().weight_value(), 7);
    // Close still closes when its writes fail, and reports the failure.
    memory.fail_writes = true;
    EXPECT_EQ(stream.close(), WT_Result::Write_Failed);
    EXPECT_EQ(stream.file_mode(), WT_Stream::File_Inactive);
    EXPECT_EQ(stream.close(), WT_Result::No_File_Open);
    EXPECT_EQ(hex(memory.bytes.substr(12)), "1707000000");
}

TEST(W2dWriteDiscipline, OldVersionsPresetTheFonts) {
    const std::string bytes = write_stream(
        [](WT_Stream& s) {
            EXPECT_EQ(s.current_attributes().font().name().ascii(), "undefined_font");
            EXPECT_EQ(s.sync_attributes(WT_Attribute_Set::Font_Bit), WT_Result::Success);
        },
        [](WT_Stream& s) { s.options().set_target_version(41); });
    EXPECT_EQ(bytes, "(DWF V00.41)" + std::string("\x06\x01\x00", 3) + "'courier'(EndOfDWF)\r\n");
}

TEST(W2dWriteDiscipline, RotatingTransformAlwaysWritesTheFontRotation) {
    const std::string bytes = body_of(write_stream(
        [](WT_Stream& s) {
            WT_Font font;
            font.set_height(10);
            font.set_rotation(100);
            s.desired_attributes().set(font);
            EXPECT_EQ(s.sync_attributes(WT_Attribute_Set::Font_Bit), WT_Result::Success);
            font.set_height(11);
            s.desired_attributes().set(font);
            EXPECT_EQ(s.sync_attributes(WT_Attribute_Set::Font_Bit), WT_Result::Success);
        },
        [](WT_Stream& s) {
            WT_Transform transform;
            transform.m_rotation = 90;
            s.options().set_transform(transform);
            s.options().set_apply_transform(true);
        }));
    // 100 + a quarter turn (16384) = 16484 = 0x4064.
    EXPECT_EQ(hex(bytes), "0660000A00000064400660000B0000006440");
}

}  // namespace
