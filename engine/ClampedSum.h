#pragma once
// a + b for screen places, held to what an int can say: a scripted window may
// lie anywhere an int reaches, and a point beside it need not fit.
#include <algorithm>
#include <climits>

namespace ReEng {

inline int ClampedSum(int a, long long b) {
    // b beyond this puts the sum past either end anyway; held, it cannot overflow.
    constexpr long long kFar = 1LL << 40;
    const long long sum = static_cast<long long>(a) + std::clamp(b, -kFar, kFar);
    return static_cast<int>(std::clamp<long long>(sum, INT_MIN, INT_MAX));
}

}  // namespace ReEng
