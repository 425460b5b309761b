// The parts of sync, equals and the default handler that every attribute
// kind shares. Included by the attributes' own sources only.
#ifndef DWFPLOT_W2D_ATTRIBUTE_HELPERS_H
#define DWFPLOT_W2D_ATTRIBUTE_HELPERS_H

#include "w2d/attribute_set.h"
#include "w2d/stream.h"

// Writes `desired` when it differs from `current`; writing makes it current
// (WT_Attribute::write stores it). A failed write leaves `current` alone, so
// the next write tries again.
template <class T>
WT_Result::Enum wt_sync_attribute(const T& desired, WT_Stream& stream, const T& current) {
    if (desired.equals(current)) return WT_Result::Success;
    return desired.write(stream);
}

// The default handler: the value read becomes the current one.
template <class T>
WT_Result::Enum wt_store_attribute(const T& read, WT_Stream& stream, T& current, uint32_t bit) {
    current = read;
    stream.current_attributes().set_changed(bit);
    return WT_Result::Success;
}

template <class T>
bool wt_same_attribute(const T& self, const WT_Attribute& other) {
    const auto* same = dynamic_cast<const T*>(&other);
    return same != nullptr && self == *same;
}

#endif  // DWFPLOT_W2D_ATTRIBUTE_HELPERS_H
