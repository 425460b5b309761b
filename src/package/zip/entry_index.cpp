#include "package/zip/entry_index.h"

#include <algorithm>

namespace DWFZip {
namespace {

unsigned char foldedLetter(char c) {
    return static_cast<unsigned char>((c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c);
}

bool foldedLess(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return foldedLetter(x) < foldedLetter(y); });
}

}  // namespace

std::string normalisedEntryName(std::string_view name) {
    const size_t start = name.find_first_not_of("/\\");
    std::string result(start == std::string_view::npos ? std::string_view{} : name.substr(start));
    std::replace(result.begin(), result.end(), '/', '\\');
    return result;
}

void EntryIndex::reserve(size_t entries) {
    entries_.reserve(entries);
    names_.reserve(entries);
}

void EntryIndex::add(uint64_t position, const CentralHeader& header, std::string_view name) {
    std::string normalised = normalisedEntryName(name);
    if (normalised.size() <= kLongestLookupName) {
        names_.push_back({std::move(normalised), static_cast<uint32_t>(entries_.size())});
    }
    entries_.push_back({position, header});
}

void EntryIndex::finish() {
    std::sort(names_.begin(), names_.end(), [](const Name& a, const Name& b) {
        if (foldedLess(a.normalised, b.normalised)) return true;
        if (foldedLess(b.normalised, a.normalised)) return false;
        return a.index < b.index;
    });
}

int64_t EntryIndex::find(std::string_view name, int32_t caseSensitivity) const {
    const std::string wanted = normalisedEntryName(name);
    auto it = std::lower_bound(names_.begin(), names_.end(), wanted,
                               [](const Name& entry, const std::string& key) { return foldedLess(entry.normalised, key); });
    // Names equal but for case are adjacent, in directory order.
    for (; it != names_.end() && !foldedLess(wanted, it->normalised); ++it) {
        if (caseSensitivity != 1 || it->normalised == wanted) return it->index;
    }
    return -1;
}

}  // namespace DWFZip
