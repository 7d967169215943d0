// A growable array of plain values: starts at a given capacity, doubles when
// full, and removes by moving the last element into the freed slot. Used for
// the window table and the hidden-title list. It never frees
// what its elements point to. Pure logic: no Windows headers.
#pragma once
#include <cstdlib>
#include <cstring>
#include <type_traits>

namespace holm {

template <typename T>
class GrowArray {
    static_assert(std::is_trivially_copyable<T>::value, "elements are copied as raw bytes");

public:
    GrowArray() = default;
    GrowArray(const GrowArray&) = delete;
    GrowArray& operator=(const GrowArray&) = delete;
    ~GrowArray() { Release(); }

    // Allocates room for `capacity` elements and empties the array.
    bool Init(int capacity) {
        Release();
        if (capacity < 1) capacity = 1;
        items_ = static_cast<T*>(std::malloc(sizeof(T) * static_cast<std::size_t>(capacity)));
        if (!items_) return false;
        capacity_ = capacity;
        return true;
    }

    // Appends a copy of `value`; returns its index, or -1 when growing failed.
    int Append(const T& value) {
        if (count_ >= capacity_ && !Grow()) return -1;
        std::memcpy(static_cast<void*>(&items_[count_]), &value, sizeof(T));
        return count_++;
    }

    // Removes element `index` by moving the last element into its slot.
    bool Remove(int index) {
        if (index < 0 || index >= count_) return false;
        if (index != count_ - 1)
            std::memcpy(static_cast<void*>(&items_[index]), &items_[count_ - 1], sizeof(T));
        --count_;
        return true;
    }

    // Frees the element block; the array is empty with no capacity after it.
    void Release() {
        std::free(items_);
        items_ = nullptr;
        count_ = capacity_ = 0;
    }

    int Count() const { return count_; }
    int Capacity() const { return capacity_; }
    bool InRange(int index) const { return index >= 0 && index < count_; }
    T& operator[](int index) { return items_[index]; }
    const T& operator[](int index) const { return items_[index]; }
    T* begin() { return items_; }
    T* end() { return items_ + count_; }
    const T* begin() const { return items_; }
    const T* end() const { return items_ + count_; }

private:
    bool Grow() {
        const int newCapacity = capacity_ > 0 ? capacity_ * 2 : 1;
        T* bigger = static_cast<T*>(std::malloc(sizeof(T) * static_cast<std::size_t>(newCapacity)));
        if (!bigger) return false;
        if (count_ > 0)
            std::memcpy(static_cast<void*>(bigger), items_, sizeof(T) * static_cast<std::size_t>(count_));
        std::free(items_);
        items_ = bigger;
        capacity_ = newCapacity;
        return true;
    }

    T* items_ = nullptr;
    int count_ = 0;
    int capacity_ = 0;
};

}  // namespace holm
