// Arithmetic on model coordinates that may come from a file and be anything:
// sums and differences are taken wide and kept within the int range.
#pragma once

#include <algorithm>
#include <climits>

namespace corvane {

inline int clampToInt(long long value) {
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// a + b, kept within the int range.
inline int addClamped(int a, long long b) {
    return clampToInt(a + b);
}

// a - b, kept within the int range.
inline int differenceClamped(int a, int b) {
    return clampToInt(static_cast<long long>(a) - b);
}

// The integer mean of a and b (always within the int range).
inline int halfSum(int a, int b) {
    return static_cast<int>((static_cast<long long>(a) + b) / 2);
}

}  // namespace corvane
