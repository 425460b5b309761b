#include "model/xml/xml_string_enum.h"

namespace DWFXmlObjects {

XmlStringEnumRegistry::XmlStringEnumRegistry(std::initializer_list<Entry> entries) {
    for (const Entry& entry : entries) {
        entries_.push_back(std::make_unique<XmlStringEnum>(entry.code, DWFUtil::String(entry.word)));
        byWord_.insert(entries_.back()->getWord(), entries_.back().get());
    }
}

const XmlStringEnum* XmlStringEnumRegistry::find(const DWFUtil::String& word) const {
    const auto* found = byWord_.find(word);
    return found == byWord_.end() ? nullptr : found->second;
}

const XmlStringEnum* XmlStringEnumRegistry::findCode(int32_t code) const {
    for (const auto& entry : entries_) {
        if (entry->getCode() == code) return entry.get();
    }
    return nullptr;
}

int32_t XmlStringEnumRegistry::codeOf(const DWFUtil::String& word) const {
    const XmlStringEnum* entry = find(word);
    return entry ? entry->getCode() : 0;
}

}  // namespace DWFXmlObjects
