// The growable array of the model layers. It grows in steps of 16 elements,
// not geometrically: models hold few children per element.
#ifndef DWFPLOT_MODEL_UTIL_VECTOR_H
#define DWFPLOT_MODEL_UTIL_VECTOR_H

#include <cstdint>
#include <utility>

#include "model/util/allocation.h"

namespace DWFUtil {

template <typename T>
class Vector {
public:
    Vector() = default;
    Vector(const Vector& other) { copyFrom(other); }
    Vector(Vector&& other) noexcept
        : count_(std::exchange(other.count_, 0)),
          capacity_(std::exchange(other.capacity_, 0)),
          data_(std::exchange(other.data_, nullptr)) {}
    ~Vector() { delete[] data_; }

    Vector& operator=(const Vector& other) {
        if (this != &other) {
            Vector copy(other);  // the target keeps its contents if the copy throws
            swap(copy);
        }
        return *this;
    }
    Vector& operator=(Vector&& other) noexcept {
        if (this != &other) {
            Vector taken(std::move(other));
            swap(taken);
        }
        return *this;
    }

    void push_back(const T& value) {
        if (count_ + 1 > capacity_) {
            grow(value);
        } else {
            data_[count_] = value;
        }
        ++count_;
    }

    // Makes room for `needed` elements at once, in a multiple of 16, so that
    // a caller who knows the final count does not grow step by step.
    void reserve(uint32_t needed) {
        if (needed <= capacity_) return;
        const uint32_t capacity = needed % 16 == 0 ? needed : grownCapacity(needed);
        T* fresh = allocateArray<T>(capacity);
        try {
            for (uint32_t i = 0; i < count_; ++i) fresh[i] = std::move(data_[i]);
        } catch (...) {
            delete[] fresh;
            throw;
        }
        delete[] data_;
        data_ = fresh;
        capacity_ = capacity;
    }

    void pop_back() {
        if (count_ == 0) return;
        --count_;
        data_[count_] = T();  // release what the vacated slot held
    }

    // Removes the element at `position`; a position outside the vector is ignored.
    void erase(T*& position) {
        if (position < begin() || position >= end()) return;
        for (T* p = position; p + 1 < end(); ++p) *p = *(p + 1);
        --count_;
        data_[count_] = T();
    }

    T& operator[](uint32_t index) { return data_[index]; }
    const T& operator[](uint32_t index) const { return data_[index]; }
    T& back() { return data_[count_ - 1]; }
    const T& back() const { return data_[count_ - 1]; }
    T* begin() { return data_; }
    T* end() { return data_ + count_; }
    const T* begin() const { return data_; }
    const T* end() const { return data_ + count_; }
    uint32_t size() const { return count_; }
    uint32_t capacity() const { return capacity_; }
    bool empty() const { return count_ == 0; }

    void clear() {
        delete[] data_;
        data_ = nullptr;
        count_ = 0;
        capacity_ = 0;
    }

    void swap(Vector& other) noexcept {
        std::swap(count_, other.count_);
        std::swap(capacity_, other.capacity_);
        std::swap(data_, other.data_);
    }

private:
    // The new element is placed before the old array goes, so pushing an
    // element of this very vector stays valid.
    void grow(const T& value) {
        const uint32_t capacity = grownCapacity(count_ + 1);
        T* fresh = copyIntoFresh(data_, count_, capacity);
        try {
            fresh[count_] = value;
        } catch (...) {
            delete[] fresh;
            throw;
        }
        delete[] data_;
        data_ = fresh;
        capacity_ = capacity;
    }

    void copyFrom(const Vector& other) {
        if (other.count_ == 0) return;
        const uint32_t capacity = grownCapacity(other.count_);
        data_ = copyIntoFresh(other.data_, other.count_, capacity);
        capacity_ = capacity;
        count_ = other.count_;
    }

    uint32_t count_ = 0;
    uint32_t capacity_ = 0;
    T* data_ = nullptr;
};

}  // namespace DWFUtil

#endif  // DWFPLOT_MODEL_UTIL_VECTOR_H
