// The block modes: appending before an existing trailer in each of its
// forms, reading a block at an offset, rewriting a block in place, and the
// version limits of block streams.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "support/temp_dir_test.h"
#include "w2d/attribute_set.h"
#include "w2d/group.h"
#include "w2d/stream.h"

namespace {
// A file in memory that can be sought in and overwritten.
struct Memory_File {
    std::string bytes;
    size_t position = 0;
};

Memory_File& file_of(WT_Stream& stream) { return *static_cast<Memory_File*>(stream.client_data()); }

WT_Result::Enum file_open(WT_Stream&) { return WT_Result::Success; }
WT_Result::Enum file_close(WT_Stream&) { return WT_Result::Success; }
WT_Result::Enum file_read(WT_Stream& stream, int desired, int& got, void* buffer) {
    Memory_File& file = file_of(stream);
    got = 0;
    if (file.position >= file.bytes.size()) return WT_Result::End_Of_File;
    const size_t count = std::min(static_cast<size_t>(desired), file.bytes.size() - file.position);
    std::memcpy(buffer, file.bytes.data() + file.position, count);
    file.position += count;
    got = static_cast<int>(count);
    return WT_Result::Success;
}
WT_Result::Enum file_seek(WT_Stream& stream, int distance, int& moved) {
    Memory_File& file = file_of(stream);
    const long long target = static_cast<long long>(file.position) + distance;
    moved = 0;
    if (target < 0 || target > static_cast<long long>(file.bytes.size())) return WT_Result::End_Of_File;
    file.position = static_cast<size_t>(target);
    moved = distance;
    return WT_Result::Success;
}
WT_Result::Enum file_end_seek(WT_Stream& stream) {
    file_of(stream).position = file_of(stream).bytes.size();
    return WT_Result::Success;
}
WT_Result::Enum file_tell(WT_Stream& stream, uint64_t& position) {
    position = file_of(stream).position;
    return WT_Result::Success;
}
WT_Result::Enum file_write(WT_Stream& stream, int size, const void* data) {
    Memory_File& file = file_of(stream);
    const size_t count = static_cast<size_t>(size);
    if (file.position + count > file.bytes.size()) file.bytes.resize(file.position + count);
    std::memcpy(file.bytes.data() + file.position, data, count);
    file.position += count;
    return WT_Result::Success;
}

void use_file(WT_Stream& stream, Memory_File& file, WT_Stream::WT_File_Mode mode, int version) {
    stream.set_client_data(&file);
    stream.set_open_action(file_open);
    stream.set_close_action(file_close);
    stream.set_read_action(file_read);
    stream.set_seek_action(file_seek);
    stream.set_end_seek_action(file_end_seek);
    stream.set_tell_action(file_tell);
    stream.set_write_action(file_write);
    stream.options().set_target_version(version);
    stream.set_file_mode(mode);
}

const std::string Old_Header = "(DWF V00.55)";
const std::string Binary_Record = std::string("{\x05\x00\x00\x00\x42\x01\x04\x00}", 10);
}  // namespace

TEST(W2dBlockModes, AppendFindsEachTrailerFormAndWritesBeforeIt) {
    struct Case {
        std::string before;   // the file up to the trailer
        std::string trailer;  // "(EndOfDWF)" with its line end
        bool binary;
    };
    const Case cases[] = {
        {Old_Header + "(Title t)\r\n", "(EndOfDWF)\r\n", false},
        {Old_Header + "(Title t)\r\r\n", "(EndOfDWF)\r\r\n", false},
        {Old_Header + "(Title t)", "(EndOfDWF)\r\n", false},
        {Old_Header + Binary_Record + "\r\n", "(EndOfDWF)\r\n", true},
        {Old_Header + Binary_Record + "\r\r\n", "(EndOfDWF)\r\r\n", true},
        {Old_Header + Binary_Record, "(EndOfDWF)\r\n", true},
    };
    for (const Case& c : cases) {
        Memory_File file{c.before + c.trailer};
        WT_Stream stream;
        use_file(stream, file, WT_Stream::Block_Append, 55);
        // The option is set by the form found, whatever it was before.
        stream.options().set_allow_binary_data(!c.binary);
        ASSERT_EQ(stream.open(), WT_Result::Success) << c.before;
        EXPECT_EQ(stream.options().allow_binary_data(), c.binary);
        EXPECT_EQ(WT_Group().write(stream), WT_Result::Success);
        EXPECT_EQ(stream.close(), WT_Result::Success);
        const std::string end = c.binary ? "(EndOfDWF)\r\n" : "\r\n(EndOfDWF)\r\n";
        EXPECT_EQ(file.bytes, c.before + Old_Header + "\r\n(GroupEnd)" + end) << c.before;
    }
}

TEST(W2dBlockModes, AppendRefusesAFileWithoutTrailer) {
    for (const std::string& bytes : {Old_Header + "(Title t)", std::string(), std::string("(EndOfDWF)\r\n")}) {
        Memory_File file{bytes};
        WT_Stream stream;
        use_file(stream, file, WT_Stream::Block_Append, 55);
        EXPECT_EQ(stream.open(), WT_Result::Corrupt_Data) << bytes;
        stream.close();
        EXPECT_EQ(file.bytes, bytes);
    }
}

TEST(W2dBlockModes, BlockStreamsBelowVersion55FailToClose) {
    Memory_File file{Old_Header + "(Title t)(EndOfDWF)\r\n"};
    WT_Stream stream;
    use_file(stream, file, WT_Stream::Block_Append, 54);
    ASSERT_EQ(stream.open(), WT_Result::Success);
    EXPECT_EQ(stream.close(), WT_Result::Close_Failed);
    // The steps of close still ran: the trailer is back.
    EXPECT_EQ(file.bytes, Old_Header + "(Title t)(DWF V00.54)\r\n(EndOfDWF)\r\n");
}

TEST(W2dBlockModes, BlockWriteRewritesInPlaceAndIsRefusedForPackageStreams) {
    WT_Stream refused;
    EXPECT_THROW(refused.set_file_mode(WT_Stream::Block_Write), WT_Result::Enum);

    Memory_File file{Old_Header + "(GroupBegin aaaaa)" + "(EndOfDWF)\r\n"};
    WT_Stream stream;
    use_file(stream, file, WT_Stream::Block_Write, 55);
    stream.options().set_allow_binary_data(false);
    stream.set_block(Old_Header.size());
    ASSERT_EQ(stream.open(), WT_Result::Success);
    EXPECT_EQ(WT_Group(WT_String("bbb")).write(stream), WT_Result::Success);
    EXPECT_EQ(stream.close(), WT_Result::Success);
    EXPECT_EQ(file.bytes, Old_Header + "\r\n(GroupBegin bbb)" + "(EndOfDWF)\r\n");

    // A target version raised after the mode was set is refused at open.
    WT_Stream raised;
    use_file(raised, file, WT_Stream::Block_Write, 55);
    raised.options().set_target_version(600);
    EXPECT_EQ(raised.open(), WT_Result::Usage_Error);
}

TEST(W2dBlockModes, BlockReadReadsOneBlockAndCloseRestoresTheReadHandler) {
    const std::string block = Old_Header + "(GroupBegin g)(GroupEnd)";
    Memory_File file{"garbage" + block + "(more garbage"};
    WT_Stream stream;
    use_file(stream, file, WT_Stream::Block_Read, 55);
    stream.set_block(7, block.size());
    ASSERT_EQ(stream.open(), WT_Result::Success);
    EXPECT_NE(stream.read_action(), &file_read);
    int groups = 0;
    WT_Result::Enum result = WT_Result::Success;
    while (result == WT_Result::Success) {
        result = stream.process_next_object();
        if (result == WT_Result::Success && stream.current_object()->object_id() == WT_Object::Group_ID) ++groups;
    }
    // The block ends where its size says, not at the file's garbage.
    EXPECT_EQ(result, WT_Result::End_Of_File);
    EXPECT_EQ(groups, 2);
    EXPECT_EQ(stream.close(), WT_Result::Success);
    EXPECT_EQ(stream.read_action(), &file_read);
}

class W2dBlockFiles : public testsupport::TempDirTest {};

TEST_F(W2dBlockFiles, AppendToAFileWrittenInAsciiForm) {
    const std::string path = workDir() + "sheet.dwf";
    {
        WT_Stream stream;
        stream.set_filename(path);
        stream.options().set_target_version(55);
        stream.options().set_allow_binary_data(false);
        stream.set_file_mode(WT_Stream::File_Write);
        ASSERT_EQ(stream.open(), WT_Result::Success);
        ASSERT_EQ(WT_Group().write(stream), WT_Result::Success);
        ASSERT_EQ(stream.close(), WT_Result::Success);
    }
    WT_Stream stream;
    stream.set_filename(path);
    stream.options().set_target_version(55);
    stream.set_file_mode(WT_Stream::Block_Append);
    ASSERT_EQ(stream.open(), WT_Result::Success);
    EXPECT_FALSE(stream.options().allow_binary_data());
    ASSERT_EQ(WT_Group(WT_String("x")).write(stream), WT_Result::Success);
    ASSERT_EQ(stream.close(), WT_Result::Success);
    EXPECT_EQ(testsupport::readFile(path),
              Old_Header + "\r\n(GroupEnd)\r\n" + Old_Header + "\r\n(GroupBegin x)\r\n(EndOfDWF)\r\n");
}
