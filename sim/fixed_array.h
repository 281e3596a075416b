// A fixed-size array with the parts of std::array that the firmware model and its users need.
// Freestanding, so that the model compiles into the kernel driver.
#pragma once

#include <stddef.h>

template <typename T, size_t N> struct FixedArray {
    using value_type = T;
    using iterator = T*;
    using const_iterator = const T*;

    T items[N];

    constexpr T& operator[](size_t i) { return items[i]; }
    constexpr const T& operator[](size_t i) const { return items[i]; }
    static constexpr size_t size() { return N; }
    static constexpr bool empty() { return N == 0; }
    constexpr T* data() { return items; }
    constexpr const T* data() const { return items; }
    constexpr T* begin() { return items; }
    constexpr T* end() { return items + N; }
    constexpr const T* begin() const { return items; }
    constexpr const T* end() const { return items + N; }
    constexpr void fill(const T& value) {
        for (T& item : items)
            item = value;
    }
    friend constexpr bool operator==(const FixedArray& a, const FixedArray& b) {
        for (size_t i = 0; i < N; ++i)
            if (!(a.items[i] == b.items[i])) return false;
        return true;
    }
};
