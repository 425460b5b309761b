// The ordered map of the model layers: a contiguous array of pairs sorted by
// key, searched by bisection. The maps in use are small (names, attributes,
// prefixes, sections), so moving the tail on insertion is cheap.
#ifndef DWFPLOT_MODEL_UTIL_MAP_H
#define DWFPLOT_MODEL_UTIL_MAP_H

#include <cstdint>
#include <utility>

#include "model/util/allocation.h"

namespace DWFUtil {

template <typename K>
struct Less {
    bool operator()(const K& a, const K& b) const { return a < b; }
};

template <typename K>
struct Equal {
    bool operator()(const K& a, const K& b) const { return a == b; }
};

// N orders keys, M tells equal keys apart.
template <typename K, typename V, typename N = Less<K>, typename M = Equal<K>>
class _BaseMap {
public:
    struct pair {
        K first{};
        V second{};
    };

    _BaseMap() = default;
    _BaseMap(const _BaseMap& other) { copyFrom(other); }
    _BaseMap(_BaseMap&& other) noexcept
        : count_(std::exchange(other.count_, 0)),
          capacity_(std::exchange(other.capacity_, 0)),
          data_(std::exchange(other.data_, nullptr)) {}
    ~_BaseMap() { delete[] data_; }

    _BaseMap& operator=(const _BaseMap& other) {
        if (this != &other) {
            _BaseMap copy(other);
            swap(copy);
        }
        return *this;
    }
    _BaseMap& operator=(_BaseMap&& other) noexcept {
        if (this != &other) {
            _BaseMap taken(std::move(other));
            swap(taken);
        }
        return *this;
    }

    pair* begin() { return data_; }
    pair* end() { return data_ + count_; }
    const pair* begin() const { return data_; }
    const pair* end() const { return data_ + count_; }
    uint32_t size() const { return count_; }
    uint32_t capacity() const { return capacity_; }
    bool empty() const { return count_ == 0; }

    pair* find(const K& key) {
        if (count_ == 0) return end();
        return _find(key, 0, count_ - 1);
    }
    const pair* find(const K& key) const { return const_cast<_BaseMap*>(this)->find(key); }

    // Bisection over [low, high]; unsigned arithmetic, so `high` running
    // below 0 ends the search.
    pair* _find(const K& key, uint32_t low, uint32_t high) {
        while (low <= high && high < count_) {
            const uint32_t mid = (low + high) / 2;
            if (equal(key, data_[mid].first)) return &data_[mid];
            if (less(key, data_[mid].first)) {
                high = mid - 1;
            } else {
                low = mid + 1;
            }
        }
        return end();
    }

    // The index after which `key` belongs within [low, high]: -1 before the
    // first pair, -2 when it does not belong in this range.
    int64_t _likely_insertion(const K& key, uint32_t low, uint32_t high) const {
        if (count_ == 0) return -1;
        if (high - low >= 2 && high > low) {
            const uint32_t mid = (low + high) / 2;
            const int64_t left = _likely_insertion(key, low, mid);
            return left != -2 ? left : _likely_insertion(key, mid, high);
        }
        if (high == low + 1) return insertionInPair(key, low, high);
        if (high == low && count_ == 1) return less(key, data_[0].first) ? -1 : 0;
        return -2;
    }

    // Returns the pair that holds `key` afterwards; an existing pair keeps
    // its value.
    pair* insert(const K& key, const V& value) {
        const int64_t r = count_ == 0 ? -1 : _likely_insertion(key, 0, count_ - 1);
        if (r == -2) return end();
        if (r >= 0 && equal(data_[r].first, key)) return &data_[r];
        if (r == -1 && count_ > 0 && equal(data_[0].first, key)) return &data_[0];
        return place(static_cast<uint32_t>(r + 1), key, value);
    }
    pair* insert(const pair& p) { return insert(p.first, p.second); }

    V& operator[](const K& key) {
        pair* found = find(key);
        if (found == end()) found = insert(key, V());
        return found->second;
    }

    // Removes every pair whose key equals `key`.
    void erase(const K& key) {
        uint32_t kept = 0;
        for (uint32_t i = 0; i < count_; ++i) {
            if (equal(data_[i].first, key)) continue;
            if (kept != i) data_[kept] = data_[i];
            ++kept;
        }
        for (uint32_t i = kept; i < count_; ++i) data_[i] = pair();  // release vacated slots
        count_ = kept;
    }

    void clear() {
        delete[] data_;
        data_ = nullptr;
        count_ = 0;
        capacity_ = 0;
    }

    void swap(_BaseMap& other) noexcept {
        std::swap(count_, other.count_);
        std::swap(capacity_, other.capacity_);
        std::swap(data_, other.data_);
    }

private:
    static bool less(const K& a, const K& b) { return N()(a, b); }
    static bool equal(const K& a, const K& b) { return M()(a, b); }
    bool lessOrEqual(const K& a, const K& b) const { return less(a, b) || equal(a, b); }

    int64_t insertionInPair(const K& key, uint32_t low, uint32_t high) const {
        if (!less(key, data_[low].first) && less(key, data_[high].first)) return low;
        if (count_ == 2) return lessOrEqual(key, data_[low].first) ? int64_t{-1} : int64_t{high};
        if (low == 0 && lessOrEqual(key, data_[0].first)) return -1;
        if (high != count_ - 1 || less(key, data_[high].first)) return -2;
        return high;
    }

    pair* place(uint32_t index, const K& key, const V& value) {
        // Copied first: `key` or `value` may live inside the array that grows.
        pair incoming{key, value};
        if (count_ + 1 > capacity_) grow();
        for (uint32_t i = count_; i > index; --i) data_[i] = data_[i - 1];
        data_[index] = std::move(incoming);
        ++count_;
        return &data_[index];
    }

    void grow() {
        const uint32_t capacity = grownCapacity(count_ + 1);
        pair* fresh = copyIntoFresh(data_, count_, capacity);
        delete[] data_;
        data_ = fresh;
        capacity_ = capacity;
    }

    void copyFrom(const _BaseMap& other) {
        if (other.count_ == 0) return;
        const uint32_t capacity = grownCapacity(other.count_);
        data_ = copyIntoFresh(other.data_, other.count_, capacity);
        capacity_ = capacity;
        count_ = other.count_;
    }

    uint32_t count_ = 0;
    uint32_t capacity_ = 0;
    pair* data_ = nullptr;
};

template <typename K, typename V, typename N = Less<K>>
class Map : public _BaseMap<K, V, N> {
public:
    using _BaseMap<K, V, N>::_BaseMap;
    Map() = default;
    Map(const Map&) = default;
    Map(Map&&) noexcept = default;
    Map& operator=(const Map&) = default;
    Map& operator=(Map&&) noexcept = default;
    ~Map() = default;
};

}  // namespace DWFUtil

#endif  // DWFPLOT_MODEL_UTIL_MAP_H
