#include "model/xml/xml_escape.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using DWFUtil::String;
using DWFXmlFramework::xmlEscape;
using DWFXmlFramework::xmlUnescape;

TEST(XmlEscape, EscapesMarkupQuotesAndEveryNonAsciiUnit) {
    const struct { std::u16string text; const char* attribute; const char* content; } cases[] = {
        {u"plain ~\x7F", "plain ~\x7F", "plain ~\x7F"}, {u"a\"b<c", "a&quot;b&lt;c", "a\"b&lt;c"},
        {u"'&>", "&apos;&amp;&gt;", "'&amp;&gt;"}, {u"", "", ""},
        {u"line\nfeed\ttab\r", "line&#x0A;feed&#x09;tab&#x0D;", "line&#x0A;feed&#x09;tab&#x0D;"},
        {u"\u00E9\u00FF\u0100\u20AC", "&#xE9;&#xFF;&#256;&#8364;", "&#xE9;&#xFF;&#256;&#8364;"},
        {u"\U00010000\U0001F600", "&#65536;&#128512;", "&#65536;&#128512;"},  // D800 DC00 D83D DE00
        {std::u16string(1, u'\xD800') + u"x", "&#65533;x", "&#65533;x"},
    };
    for (const auto& c : cases) {
        const String text = String::fromUtf16(c.text);
        EXPECT_EQ(xmlEscape(text, true).toUtf8(), c.attribute);
        EXPECT_EQ(xmlEscape(text, false).toUtf8(), c.content);
    }
}

TEST(XmlEscape, UnescapesReferencesAndKeepsWhatIsNotOne) {
    const struct { const char* text; std::u16string expected; } cases[] = {
        {"&#65;&#x4a;&#x4A;", u"AJJ"}, {"&lt;&gt;&amp;&apos;&quot;", u"<>&'\""}, {"a&#x0A;b", u"a\nb"},
        {"&#xE9;&#8364;&#128512;", u"\u00E9\u20AC\U0001F600"}, {"&#55357;&#56832;", u"\U0001F600"},
        {"&#;x", std::u16string(1, u'\0') + u"x"}, {"&amp", u"&amp"}, {"&lt", u"&lt"}, {"&a;", u"&a;"},
        {"&foo; &ap", u"&foo; &ap"}, {"&#12a; &#65;", u"&#12a; A"}, {"&lt;&#65", u"<&#65"}, {"&", u"&"},
        {"&#99999999999999;", u"\uFFFD"}, {"no references", u"no references"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(xmlUnescape(String(c.text)).toUtf16(), c.expected) << c.text;
    }
}

TEST(XmlEscape, RoundTripsEveryUnitAndUnescapesLongInputInLinearTime) {
    std::u16string all;
    for (char16_t unit = 1; unit < 0xD800; ++unit) all += unit;
    all += u"\U0010FFFF";
    const String text = String::fromUtf16(all);
    for (const bool forAttribute : {true, false}) EXPECT_EQ(xmlUnescape(xmlEscape(text, forAttribute)).toUtf16(), all);
    std::string unterminated;  // many unterminated references, unescaped in linear time
    for (int i = 0; i < 500000; ++i) unterminated += "&#1";
    EXPECT_EQ(xmlUnescape(String::fromUtf8(unterminated)).toUtf8(), unterminated);
}

}  // namespace
