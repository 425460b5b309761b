// The byte queues of a stream being read: vectors whose growth does not
// zero-fill the room that the next read overwrites at once.
#ifndef DWFPLOT_W2D_BYTE_BUFFER_H
#define DWFPLOT_W2D_BYTE_BUFFER_H

#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

// std::allocator, except that elements made without a value are left
// uninitialised instead of being zeroed.
template <class T>
class WT_Uninitialized_Allocator : public std::allocator<T> {
public:
    template <class U>
    struct rebind {
        using other = WT_Uninitialized_Allocator<U>;
    };

    WT_Uninitialized_Allocator() = default;
    template <class U>
    WT_Uninitialized_Allocator(const WT_Uninitialized_Allocator<U>&) noexcept {}

    template <class U>
    void construct(U* place) noexcept(std::is_nothrow_default_constructible_v<U>) {
        ::new (static_cast<void*>(place)) U;
    }
    template <class U, class... Arguments>
    void construct(U* place, Arguments&&... arguments) {
        ::new (static_cast<void*>(place)) U(std::forward<Arguments>(arguments)...);
    }
};

using WT_Byte_Buffer = std::vector<uint8_t, WT_Uninitialized_Allocator<uint8_t>>;

#endif  // DWFPLOT_W2D_BYTE_BUFFER_H
