// The central directory of an archive held in memory: every entry's header
// and where it stands, in directory order, and its name sorted for lookup.
// Built once when the archive opens, so that finding an entry costs one
// binary search instead of a walk over the directory in the file.
#ifndef DWFPLOT_PACKAGE_ZIP_ENTRY_INDEX_H
#define DWFPLOT_PACKAGE_ZIP_ENTRY_INDEX_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "package/zip/zip_records.h"

namespace DWFZip {

// Lookup names longer than this are refused; so no longer entry name can match.
constexpr size_t kLongestLookupName = 255;

// An entry name as lookups compare it: no leading '/' or '\', and '\'
// between the parts.
std::string normalisedEntryName(std::string_view name);

class EntryIndex {
public:
    struct Entry {
        uint64_t position = 0;  // of the central header in the file
        CentralHeader header;
    };

    void reserve(size_t entries);
    // Adds the next entry of the directory with its name as stored.
    void add(uint64_t position, const CentralHeader& header, std::string_view name);
    // Makes the names searchable; call once after the last add.
    void finish();

    size_t size() const { return entries_.size(); }
    const Entry& operator[](size_t index) const { return entries_[index]; }

    // The first entry in directory order whose normalised name equals the
    // normalised `name`: byte for byte with case sensitivity 1, with the ASCII
    // letters folded otherwise. -1 when none does.
    int64_t find(std::string_view name, int32_t caseSensitivity) const;

private:
    struct Name {
        std::string normalised;
        uint32_t index;
    };

    std::vector<Entry> entries_;
    std::vector<Name> names_;  // sorted by folded name, then directory order
};

}  // namespace DWFZip

#endif  // DWFPLOT_PACKAGE_ZIP_ENTRY_INDEX_H
