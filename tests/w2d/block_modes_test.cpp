// The block modes: appending before each form of trailer, reading a block at an offset, rewriting a block in
// place, and the version limits of block streams.
#include "memory_stream.h"

using namespace w2dtest;

namespace {

const std::string Old_Header = "(DWF V00.55)";

struct Block : Opened {
    Block(WT_Stream::WT_File_Mode mode, std::string bytes, int version, uint64_t offset = 0, uint64_t size = 0)
        : Opened(std::move(bytes), WT_Stream::File_Inactive) {
        stream.options().set_target_version(version);
        stream.set_file_mode(mode);
        stream.set_block(offset, size);
    }
};

TEST(W2dBlockModes, AppendFindsEachTrailerFormAndWritesBeforeIt) {
    const std::pair<const char*, const char*> ends[] = {
        {"\r\n", "(EndOfDWF)\r\n"}, {"\r\r\n", "(EndOfDWF)\r\r\n"}, {"", "(EndOfDWF)\r\n"}};
    for (const bool binary : {false, true}) {
        for (const auto& [line_end, trailer] : ends) {
            // The file up to the trailer; the option is set by the form found.
            const std::string before = Old_Header + (binary ? extended(322, le16(4)) : "(Title t)") + line_end;
            Block block(WT_Stream::Block_Append, before + trailer, 55);
            block->options().set_allow_binary_data(!binary);
            ASSERT_EQ(block->open(), WT_Result::Success) << before;
            EXPECT_EQ(block->options().allow_binary_data(), binary);
            EXPECT_EQ(WT_Group().write(*block), WT_Result::Success);
            EXPECT_EQ(block->close(), WT_Result::Success);
            EXPECT_EQ(block.memory.bytes, before + Old_Header + "\r\n(GroupEnd)" + (binary ? "" : "\r\n") + Trailer);
        }
    }
    // A file without a trailer is refused, and left alone.
    for (const std::string& bytes : {Old_Header + "(Title t)", std::string(), std::string("(EndOfDWF)\r\n")}) {
        Block block(WT_Stream::Block_Append, bytes, 55);
        EXPECT_EQ(block->open(), WT_Result::Corrupt_Data) << bytes;
        block->close();
        EXPECT_EQ(block.memory.bytes, bytes);
    }
    // Below version 55 a block stream fails to close; the steps of close still ran, the trailer is back.
    Block old(WT_Stream::Block_Append, Old_Header + "(Title t)(EndOfDWF)\r\n", 54);
    ASSERT_EQ(old->open(), WT_Result::Success);
    EXPECT_EQ(old->close(), WT_Result::Close_Failed);
    EXPECT_EQ(old.memory.bytes, Old_Header + "(Title t)(DWF V00.54)\r\n(EndOfDWF)\r\n");
}

TEST(W2dBlockModes, BlockWriteRewritesInPlaceAndIsRefusedForPackageStreams) {
    EXPECT_THROW(WT_Stream().set_file_mode(WT_Stream::Block_Write), WT_Result::Enum);

    Block block(WT_Stream::Block_Write, Old_Header + "(GroupBegin aaaaa)(EndOfDWF)\r\n", 55, Old_Header.size());
    block->options().set_allow_binary_data(false);
    ASSERT_EQ(block->open(), WT_Result::Success);
    EXPECT_EQ(WT_Group(WT_String("bbb")).write(*block), WT_Result::Success);
    EXPECT_EQ(block->close(), WT_Result::Success);
    EXPECT_EQ(block.memory.bytes, Old_Header + "\r\n(GroupBegin bbb)(EndOfDWF)\r\n");

    // A target version raised after the mode was set is refused at open.
    Block raised(WT_Stream::Block_Write, block.memory.bytes, 55);
    raised->options().set_target_version(600);
    EXPECT_EQ(raised->open(), WT_Result::Usage_Error);
}

TEST(W2dBlockModes, BlockReadReadsOneBlockAndCloseRestoresTheReadHandler) {
    const std::string block_bytes = Old_Header + "(GroupBegin g)(GroupEnd)";
    Block block(WT_Stream::Block_Read, "garbage" + block_bytes + "(more garbage", 55, 7, block_bytes.size());
    ASSERT_EQ(block->open(), WT_Result::Success);
    EXPECT_NE(block->read_action(), &memory_read);
    int groups = 0;
    WT_Result::Enum result = WT_Result::Success;
    while (result == WT_Result::Success) {
        result = block->process_next_object();
        if (result == WT_Result::Success && block->current_object()->object_id() == WT_Object::Group_ID) ++groups;
    }
    // The block ends where its size says, not at the file's garbage.
    EXPECT_EQ(result, WT_Result::End_Of_File);
    EXPECT_EQ(groups, 2);
    EXPECT_EQ(block->close(), WT_Result::Success);
    EXPECT_EQ(block->read_action(), &memory_read);
}

class W2dFileHandlers : public testsupport::TempDirTest {};

// The default handlers write, seek in and append to a named file.
TEST_F(W2dFileHandlers, DefaultHandlersWriteAndAppendToANamedFile) {
    const std::string path = workDir() + "sheet.dwf";
    const auto open = [&path](WT_Stream& stream, WT_Stream::WT_File_Mode mode) {
        stream.set_filename(path);
        stream.options().set_target_version(55);
        stream.set_file_mode(mode);
        return stream.open();
    };
    WT_Stream written;
    written.options().set_allow_binary_data(false);
    ASSERT_EQ(open(written, WT_Stream::File_Write), WT_Result::Success);
    ASSERT_EQ(WT_Group().write(written), WT_Result::Success);
    ASSERT_EQ(written.close(), WT_Result::Success);
    EXPECT_EQ(testsupport::readFile(path), Old_Header + "\r\n(GroupEnd)\r\n" + Trailer);
    WT_Stream appended;
    ASSERT_EQ(open(appended, WT_Stream::Block_Append), WT_Result::Success);
    EXPECT_FALSE(appended.options().allow_binary_data());
    ASSERT_EQ(WT_Group(WT_String("x")).write(appended), WT_Result::Success);
    ASSERT_EQ(appended.close(), WT_Result::Success);
    EXPECT_EQ(testsupport::readFile(path),
              Old_Header + "\r\n(GroupEnd)\r\n" + Old_Header + "\r\n(GroupBegin x)\r\n" + Trailer);

    // Nothing is read before a read mode, nor closed before an open; block read needs a file name.
    WT_Stream unnamed;
    EXPECT_EQ(unnamed.process_next_object(), WT_Result::Usage_Error);
    EXPECT_EQ(unnamed.close(), WT_Result::No_File_Open);
    unnamed.set_file_mode(WT_Stream::Block_Read);
    EXPECT_EQ(unnamed.open(), WT_Result::Open_Failed);
}

}  // namespace
