// List attributes: the list is kept as text, items separated by single
// spaces. The typed lists check every item by the double or long rule.
#ifndef DWFPLOT_MODEL_XML_XML_LIST_ATTRIBUTE_H
#define DWFPLOT_MODEL_XML_XML_LIST_ATTRIBUTE_H

#include <cstdint>

#include "model/util/vector.h"
#include "model/xml/xml_attribute_object.h"

namespace DWFXmlObjects {

class XmlListAttribute : public XmlAttributeObject {
public:
    explicit XmlListAttribute(const DWFUtil::String& name, bool required = false);
    XmlListAttribute(const DWFUtil::String& name, const DWFUtil::String& defaultText);
    XmlListAttribute(const DWFUtil::String& name, const char* defaultText);

    DWFUtil::String toString() const override { return getText(); }
    // Assigns the text when every item passes the item rule.
    bool fromString(const DWFUtil::String& text) override;
    bool takeString(DWFUtil::String&& text) override;
    // Typed lists: the required/set rule, then every item must parse.
    bool isValid() const override;
    // The effective text, a single space when it is not empty, and `item`.
    virtual bool append(const DWFUtil::String& item);

    // Lists of the models hold a few items; a longer one is refused by the
    // getters, whose containers grow in steps of 16 and would make long
    // hostile lists cost quadratic time.
    static constexpr uint32_t kMaximumItems = 1024;

    const DWFUtil::String& getText() const { return isSet() ? value_ : default_; }
    bool setFromVector(const DWFUtil::Vector<DWFUtil::String>& values);
    // The effective text cut at spaces: runs of spaces separate once, and
    // leading or trailing spaces make no items. More than kMaximumItems
    // items: false and no items.
    bool getVector(DWFUtil::Vector<DWFUtil::String>& values) const;
    uint32_t itemCount() const;

protected:
    // Whether `item` is acceptable; any text for a plain list.
    virtual bool itemValid(const DWFUtil::String& item) const;
    // Assigns `text` built from items known to be valid.
    void assign(const DWFUtil::String& text);
    bool allItemsValid(const DWFUtil::String& text) const;
    // Collects the items of the effective text through `take` (false when
    // there are too many, or when `take` refuses one).
    template <typename T, typename Parse>
    bool collect(DWFUtil::Vector<T>& values, Parse parse) const;

private:
    DWFUtil::String value_;
    DWFUtil::String default_;
};

class XmlListOfDoubleAttribute : public XmlListAttribute {
public:
    using XmlListAttribute::XmlListAttribute;

    bool setFromVector(const DWFUtil::Vector<double>& values);
    // False when an item does not parse; the items that parsed are returned.
    bool getVector(DWFUtil::Vector<double>& values) const;

protected:
    bool itemValid(const DWFUtil::String& item) const override;
};

class XmlListOfLongAttribute : public XmlListAttribute {
public:
    using XmlListAttribute::XmlListAttribute;

    bool setFromVector(const DWFUtil::Vector<int32_t>& values);
    bool getVector(DWFUtil::Vector<int32_t>& values) const;

protected:
    bool itemValid(const DWFUtil::String& item) const override;
};

}  // namespace DWFXmlObjects

#endif  // DWFPLOT_MODEL_XML_XML_LIST_ATTRIBUTE_H
