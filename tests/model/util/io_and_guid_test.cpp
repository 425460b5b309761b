#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "model/util/guid.h"
#include "model/util/io_handler.h"

namespace {

TEST(StringIOHandler, AccumulatesAndCopiesOutTerminated) {
    DWFUtil::StringIOHandler handler;
    EXPECT_EQ(handler.write("<a"), 1);
    EXPECT_EQ(handler.write(u" b='\u00E9'"), 1);
    EXPECT_EQ(handler.write(DWFUtil::String("/>")), 1);
    DWFUtil::String all;
    EXPECT_EQ(handler.getContents(all), 1);
    EXPECT_EQ(all, DWFUtil::String(u"<a b='\u00E9'/>"));

    char narrow[5];
    EXPECT_EQ(handler.getContents(narrow, sizeof narrow), 1);
    EXPECT_STREQ(narrow, "<a b");
    char one[1] = {'x'};
    handler.getContents(one, 1);
    EXPECT_EQ(one[0], '\0');
    char16_t wide[32];
    handler.getContents(wide, 32);
    EXPECT_EQ(std::u16string(wide), u"<a b='\u00E9'/>");

    DWFUtil::IOHandler base;
    EXPECT_EQ(base.open(), -1);
    EXPECT_EQ(base.write("x"), -1);
    EXPECT_EQ(base.close(), -1);
}

TEST(Guid, TextFormsOfAKnownIdentifier) {
    platform::Uuid uuid;
    uuid.data1 = 0x715941D4;
    uuid.data2 = 0x1AC2;
    uuid.data3 = 0x4545;
    const uint8_t tail[8] = {0x81, 0x85, 0xBC, 0x40, 0xE0, 0x53, 0xB5, 0x51};
    std::copy(tail, tail + 8, uuid.data4);
    EXPECT_EQ(DWFUtil::formatGuid(uuid, false), "715941D4-1AC2-4545-8185-BC40E053B551");
    EXPECT_EQ(DWFUtil::formatGuid(uuid, true), "51B553E040BC858145451AC2715941D4");
}

// Whether `text` has the shape of `pattern`: 'X' an upper-case hex digit,
// anything else itself.
bool hasShape(const std::string& text, const std::string& pattern) {
    if (text.size() != pattern.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool hexDigit = std::isdigit(static_cast<unsigned char>(text[i])) || (text[i] >= 'A' && text[i] <= 'F');
        if (pattern[i] == 'X' ? !hexDigit : text[i] != pattern[i]) return false;
    }
    return true;
}

TEST(Guid, FreshIdentifiersHaveTheirShapes) {
    const std::string hyphenated = DWFUtil::createGuidString(false).chars();
    const std::string compact = DWFUtil::createGuidString(true).chars();
    EXPECT_TRUE(hasShape(hyphenated, "XXXXXXXX-XXXX-4XXX-XXXX-XXXXXXXXXXXX")) << hyphenated;
    EXPECT_NE(std::string("89AB").find(hyphenated[19]), std::string::npos) << hyphenated;
    EXPECT_TRUE(hasShape(compact, std::string(32, 'X'))) << compact;
    EXPECT_EQ(compact[16], '4') << "the version digit of the third field";
    EXPECT_NE(DWFUtil::createGuidString(true), DWFUtil::createGuidString(true));
}

}  // namespace
