// Allocation of the package and model layers: an exhausted heap is reported
// by throwing DWF::DwfResult::OutOfMemory, which the layers above catch or
// pass on.
#ifndef DWFPLOT_MODEL_UTIL_ALLOCATION_H
#define DWFPLOT_MODEL_UTIL_ALLOCATION_H

#include <cstdint>
#include <new>

#include "dwfplot/DwfResult.h"

namespace DWFUtil {

[[noreturn]] inline void throwOutOfMemory() { throw DWF::DwfResult::OutOfMemory; }

// An array of `count` default-constructed elements.
template <typename T>
T* allocateArray(uint64_t count) {
    try {
        return new T[count];
    } catch (const std::bad_alloc&) {
        throwOutOfMemory();
    }
}

// A fresh array of `capacity` elements whose first `count` are copies of
// `source`; nothing leaks when a copy throws.
template <typename T>
T* copyIntoFresh(const T* source, uint32_t count, uint32_t capacity) {
    T* fresh = allocateArray<T>(capacity);
    try {
        for (uint32_t i = 0; i < count; ++i) fresh[i] = source[i];
    } catch (...) {
        delete[] fresh;
        throw;
    }
    return fresh;
}

// The capacity growth gives a container that needs `needed` elements: the
// smallest multiple of 16 above needed - 1 rounded down, so 1 -> 16 and
// 17 -> 32. Models hold few children per element, so steps of 16 keep
// memory small.
inline uint32_t grownCapacity(uint32_t needed) { return (needed / 16) * 16 + 16; }

}  // namespace DWFUtil

#endif  // DWFPLOT_MODEL_UTIL_ALLOCATION_H
