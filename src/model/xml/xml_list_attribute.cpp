#include "model/xml/xml_list_attribute.h"

#include <string>
#include <string_view>
#include <utility>

#include "model/xml/xml_number_text.h"

namespace DWFXmlObjects {
namespace {

std::string_view view(const DWFUtil::String& text) { return std::string_view(text.chars(), text.narrowLength()); }

// Calls `visit` with each space-separated item of `text`; stops early when
// it answers false, and then answers false itself.
template <typename Visit>
bool forEachItem(std::string_view text, Visit visit) {
    size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == ' ') {
            ++pos;
            continue;
        }
        size_t end = text.find(' ', pos);
        if (end == std::string_view::npos) end = text.size();
        if (!visit(text.substr(pos, end - pos))) return false;
        pos = end;
    }
    return true;
}

// Joins formatted values with single spaces.
template <typename T, typename Format>
DWFUtil::String joined(const DWFUtil::Vector<T>& values, Format format) {
    std::string text;
    for (const T& value : values) {
        if (!text.empty()) text += ' ';
        text += view(format(value));
    }
    return DWFUtil::String::fromUtf8(text);
}

bool keepText(const DWFUtil::String& item, DWFUtil::String& value) {
    value = item;
    return true;
}

}  // namespace

XmlListAttribute::XmlListAttribute(const DWFUtil::String& name, bool required) : XmlAttributeObject(name, required) {}

XmlListAttribute::XmlListAttribute(const DWFUtil::String& name, const DWFUtil::String& defaultText)
    : XmlAttributeObject(name), default_(defaultText) {
    markDefault();
}

XmlListAttribute::XmlListAttribute(const DWFUtil::String& name, const char* defaultText)
    : XmlListAttribute(name, DWFUtil::String(defaultText)) {}

bool XmlListAttribute::fromString(const DWFUtil::String& text) {
    if (!allItemsValid(text)) return false;
    assign(text);
    return true;
}

bool XmlListAttribute::takeString(DWFUtil::String&& text) {
    if (!allItemsValid(text)) return false;
    value_ = std::move(text);
    markSet();
    return true;
}

bool XmlListAttribute::isValid() const {
    if (!XmlAttributeObject::isValid()) return false;
    if (!isSet() && !hasDefault()) return true;
    return allItemsValid(getText());
}

bool XmlListAttribute::append(const DWFUtil::String& item) {
    if (!itemValid(item)) return false;
    const DWFUtil::String& old = getText();
    return fromString(old.empty() ? item : old + " " + item);
}

bool XmlListAttribute::setFromVector(const DWFUtil::Vector<DWFUtil::String>& values) {
    for (const DWFUtil::String& value : values) {
        if (!itemValid(value)) return false;
    }
    assign(joined(values, [](const DWFUtil::String& value) { return value; }));
    return true;
}

bool XmlListAttribute::getVector(DWFUtil::Vector<DWFUtil::String>& values) const {
    return collect(values, keepText);
}

uint32_t XmlListAttribute::itemCount() const {
    uint32_t count = 0;
    forEachItem(view(getText()), [&count](std::string_view) { return ++count, true; });
    return count;
}

bool XmlListAttribute::itemValid(const DWFUtil::String&) const { return true; }

void XmlListAttribute::assign(const DWFUtil::String& text) {
    value_ = text;
    markSet();
}

bool XmlListAttribute::allItemsValid(const DWFUtil::String& text) const {
    return forEachItem(view(text), [this](std::string_view item) { return itemValid(DWFUtil::String::fromUtf8(item)); });
}

template <typename T, typename Parse>
bool XmlListAttribute::collect(DWFUtil::Vector<T>& values, Parse parse) const {
    values.clear();
    if (itemCount() > kMaximumItems) return false;
    bool all = true;
    forEachItem(view(getText()), [&](std::string_view text) {
        T value{};
        if (parse(DWFUtil::String::fromUtf8(text), value)) {
            values.push_back(value);
        } else {
            all = false;
        }
        return true;
    });
    return all;
}

bool XmlListOfDoubleAttribute::setFromVector(const DWFUtil::Vector<double>& values) {
    // Every formatted double reads back, so no item can fail.
    assign(joined(values, formatDouble));
    return true;
}

bool XmlListOfDoubleAttribute::getVector(DWFUtil::Vector<double>& values) const {
    return collect(values, parseDoubleText);
}

bool XmlListOfDoubleAttribute::itemValid(const DWFUtil::String& item) const {
    double value = 0;
    return parseDoubleText(item, value);
}

bool XmlListOfLongAttribute::setFromVector(const DWFUtil::Vector<int32_t>& values) {
    assign(joined(values, formatLong));
    return true;
}

bool XmlListOfLongAttribute::getVector(DWFUtil::Vector<int32_t>& values) const {
    return collect(values, parseLongText);
}

bool XmlListOfLongAttribute::itemValid(const DWFUtil::String& item) const {
    int32_t value = 0;
    return parseLongText(item, value);
}

}  // namespace DWFXmlObjects
