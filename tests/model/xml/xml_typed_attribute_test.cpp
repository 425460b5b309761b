#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/xml/xml_boolean_attribute.h"
#include "model/xml/xml_constrained_double_attribute.h"
#include "model/xml/xml_double_attribute.h"
#include "model/xml/xml_list_attribute.h"
#include "model/xml/xml_long_attribute.h"
#include "model/xml/xml_string_attribute.h"
#include "support/bytes.h"

namespace {

using DWFUtil::String;
using DWFUtil::Vector;
using namespace DWFXmlObjects;

TEST(XmlBooleanAttribute, KeepsTheWordItWasReadWith) {
    const struct { const char* text; bool accepted; bool value; } cases[] = {
        {"yes", true, true},   {"1", true, true},      {"true", true, true},    {"no", true, false},
        {"0", true, false},    {"false", true, false}, {"Yes", false, false},   {"TRUE", false, false},
        {"", false, false},    {" true", false, false}};
    for (const auto& c : cases) {
        XmlBooleanAttribute attribute("show");
        SCOPED_TRACE(c.text);
        EXPECT_TRUE(attribute.fromString(c.text) == c.accepted && attribute.isSet() == c.accepted);
        EXPECT_EQ(attribute.getBoolean(), c.value);
        EXPECT_EQ(attribute.toString().toUtf8(), c.accepted ? c.text : "");
    }
    XmlBooleanAttribute fromProgram("bold", XmlBooleanEnum::forValue(true));
    const String before = fromProgram.toString();
    EXPECT_TRUE(fromProgram.setBoolean(false) && !fromProgram.setEntry(nullptr));
    EXPECT_EQ((before + " " + fromProgram.toString()).toUtf8(), "true false");
}

// Doubles are written with all their significant digits.
TEST(XmlNumberAttributes, ReadTheLeadingNumberAndRefuseOverflow) {
    const struct { const char* text; bool accepted; int32_t value; } longs[] = {
        {"12abc", true, 12}, {"  -7", true, -7}, {"+3", true, 3}, {"abc", true, 0}, {"", false, 5},
        {"2147483647", true, INT32_MAX}, {"-2147483648", true, INT32_MIN}, {"2147483648", false, 5},
        {"-2147483649", false, 5}, {"99999999999999999999", false, 5}};
    for (const auto& c : longs) {
        XmlLongAttribute attribute("size", int32_t{5});
        EXPECT_TRUE(attribute.fromString(c.text) == c.accepted && attribute.getLong() == c.value) << c.text;
    }
    const struct { const char* text; bool accepted; double value; } doubles[] = {
        {"0.5mm", true, 0.5}, {" +2", true, 2}, {"-1e3", true, -1000}, {"x", true, 0}, {"", false, 9},
        {"1e999", false, 9},  // hexadecimal, as the standard conversion reads it
        {"0x10", true, 16},   {"-0X1.8p1", true, -3}, {"+0xAg", true, 10}, {"0x", true, 0}, {"0x-5", true, 0}};
    for (const auto& c : doubles) {
        XmlDoubleAttribute attribute("height", 9.0);
        EXPECT_TRUE(attribute.fromString(c.text) == c.accepted && attribute.getDouble() == c.value) << c.text;
    }
    XmlLongAttribute unset("zOrder");
    const String before = unset.toString();
    unset.setLong(-42);
    EXPECT_EQ((before + "|" + unset.toString()).toUtf8(), "|-42");
    const struct { double value; const char* text; } written[] = {
        {0.5, "0.5"}, {1.0, "1"}, {0.1, "0.10000000000000000555111512312578"}, {1e21, "1000000000000000000000"},
        {-2.5e-7, "-2.4999999999999998868702795647156e-07"}, {1e33, "9.9999999999999994557523098704282e+32"},
        {1.7976931348623157e308, "1.797693134862315708145274237317e+308"}};
    XmlDoubleAttribute attribute("width");
    for (const auto& w : written) EXPECT_TRUE(attribute.setDouble(w.value) && attribute.toString() == w.text) << w.text;
    // A constrained double checks its minimum when validated.
    const auto validAt = [](XmlConstrainedDoubleAttribute& constrained, double value) {
        constrained.setDouble(value);
        return constrained.isValid();
    };
    XmlConstrainedDoubleAttribute exclusive("width", true);
    XmlConstrainedDoubleAttribute inclusive("height");
    EXPECT_TRUE(inclusive.isValid());
    exclusive.setMinimum(0, true, false);
    inclusive.setMinimum(0, false, true);
    inclusive.setMinimum(5, true, false);  // locked: ignored
    const std::vector<bool> valid = {exclusive.isValid(), validAt(exclusive, 0), validAt(exclusive, 0.001),
                                     validAt(inclusive, 0), validAt(inclusive, -0.5)};
    EXPECT_EQ(valid, (std::vector<bool>{false, false, true, true, false}));
}

// Typed lists format, parse and validate their items; getters refuse lists longer than the maximum.
TEST(XmlListAttribute, SplitsAtSpacesAndAppendsWithOneSpace) {
    XmlListOfDoubleAttribute list("clip");
    ASSERT_TRUE(list.fromString("1  2 3"));
    Vector<double> values;
    EXPECT_TRUE(list.getVector(values) && values.size() == 3 && values[2] == 3.0);
    EXPECT_TRUE(list.append("4") && !list.append(""));
    EXPECT_EQ(list.toString().toUtf8(), "1  2 3 4");
    EXPECT_TRUE(XmlListOfDoubleAttribute("scale", "x 2\t").isValid());  // no number reads as 0
    EXPECT_FALSE(list.fromString("1 1e999 2"));
    EXPECT_EQ(list.toString().toUtf8(), "1  2 3 4");

    XmlListAttribute words("names");
    EXPECT_TRUE(words.append("a") && words.append("b\tc") && words.fromString(words.toString() + "  "));
    Vector<String> items;
    EXPECT_TRUE(words.getVector(items) && items.size() == 2 && items[1] == "b\tc");
    EXPECT_TRUE(XmlListAttribute("x", " ").getVector(items) && items.empty());
    XmlListOfLongAttribute color("color", "128 128 128");
    Vector<int32_t> longs;
    EXPECT_TRUE(color.getVector(longs) && longs.size() == 3 && !color.isSet());
    longs.push_back(-1);
    EXPECT_TRUE(color.setFromVector(longs));
    EXPECT_EQ(color.toString().toUtf8(), "128 128 128 -1");

    XmlListOfLongAttribute broken("color", "1 2147483648 3");
    EXPECT_FALSE(broken.isValid() || broken.getVector(longs));
    EXPECT_EQ(longs.size(), 2u);

    XmlListOfDoubleAttribute transform("transform", true);
    const bool validUnset = transform.isValid();
    Vector<double> doubles;
    doubles.push_back(0.1);
    doubles.push_back(1);
    EXPECT_TRUE(!validUnset && transform.setFromVector(doubles) && transform.isValid());
    EXPECT_EQ(transform.toString().toUtf8(), "0.10000000000000000555111512312578 1");
    const uint32_t maximum = XmlListAttribute::kMaximumItems;
    for (const uint32_t count : {maximum, maximum + 1, 200000u}) {
        XmlListOfDoubleAttribute list("extents");
        Vector<double> doubles;
        EXPECT_TRUE(list.fromString(String::fromUtf8(testsupport::repeat("1 ", count))) && list.isValid() && list.itemCount() == count) << count;
        EXPECT_TRUE(list.getVector(doubles) == (count <= maximum) && doubles.size() == (count <= maximum ? count : 0u))
            << count;
    }
}

TEST(SetFromAttributes, MatchesNamesWithAnyPrefix) {
    Vector<DWFUtil::XmlParser::Attribute> parsed;
    const char* pairs[][2] = {{"ePlot:name", "first&amp;"}, {"name", "second"}, {"xsi:schemaLocation", "U L"},
                              {"dwf:href", "h"}, {"size", "12abc"}};
    for (const auto& pair : pairs) parsed.push_back({pair[0], pair[1]});
    const struct { const char* name; bool found; const char* value; } cases[] = {
        {"name", true, "first&"}, {"schemaLocation", true, "U L"}, {"xsi:schemaLocation", true, "U L"},
        {"other:href", true, "h"}, {"href", true, "h"}, {"title", false, ""}, {"dwf:", false, ""}};
    for (const auto& c : cases) {
        XmlStringAttribute attribute(c.name);
        EXPECT_TRUE(attribute.setFromAttributes(parsed) == c.found && attribute.getString() == c.value) << c.name;
    }
    XmlLongAttribute size("size");
    XmlBooleanAttribute refused("name");
    EXPECT_TRUE(size.setFromAttributes(parsed) && size.getLong() == 12);
    EXPECT_FALSE(refused.setFromAttributes(parsed) || refused.isSet());
}

}  // namespace
