// Enumerations of words with numeric codes (the value types of properties,
// the resource roles). The layer that owns a vocabulary builds one registry
// from its table once per process and looks words up in it.
#ifndef DWFPLOT_MODEL_XML_XML_STRING_ENUM_H
#define DWFPLOT_MODEL_XML_XML_STRING_ENUM_H

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

#include "model/util/map.h"
#include "model/util/string.h"

namespace DWFXmlObjects {

class XmlStringEnum {
public:
    // The word holds both forms from the start: a registry is shared by
    // every thread, and reading a String may otherwise fill in a form.
    XmlStringEnum(int32_t code, const DWFUtil::String& word) : code_(code), word_(word) {
        word_.chars();
        word_.wideChars();
    }

    int32_t getCode() const { return code_; }
    const DWFUtil::String& getWord() const { return word_; }

private:
    int32_t code_;
    DWFUtil::String word_;
};

// The entries of one vocabulary, keyed by word. Constant once built.
class XmlStringEnumRegistry {
public:
    struct Entry {
        int32_t code;
        const char* word;
    };

    XmlStringEnumRegistry(std::initializer_list<Entry> entries);
    XmlStringEnumRegistry(const XmlStringEnumRegistry&) = delete;
    XmlStringEnumRegistry& operator=(const XmlStringEnumRegistry&) = delete;

    // The entry registered for `word` (exact match), or null.
    const XmlStringEnum* find(const DWFUtil::String& word) const;
    // The entry with `code`, or null.
    const XmlStringEnum* findCode(int32_t code) const;
    // The code of `word`, or 0 when it is not registered.
    int32_t codeOf(const DWFUtil::String& word) const;
    uint32_t size() const { return static_cast<uint32_t>(entries_.size()); }

private:
    std::vector<std::unique_ptr<XmlStringEnum>> entries_;  // registration order
    DWFUtil::Map<DWFUtil::String, const XmlStringEnum*> byWord_;
};

}  // namespace DWFXmlObjects

#endif  // DWFPLOT_MODEL_XML_XML_STRING_ENUM_H
