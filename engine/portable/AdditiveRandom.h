#pragma once
// The C library's rand() as glibc makes it (random(3)'s TYPE_3: an additive
// feedback generator over 31 words, seeded through 16807 x mod 2^31 - 1), in
// plain C++. The course is drawn from it, so every platform builds the same
// course as the Linux build always has; Windows' own rand() draws another.
#include <array>
#include <cstdint>

namespace ReEng {

class AdditiveRandom {
public:
    static constexpr int kMax = 2147483647;  // glibc's RAND_MAX

    // Unseeded, it gives what rand() gives before any srand(): seed 1.
    explicit AdditiveRandom(unsigned seed = 1) { Seed(seed); }

    // As srand(seed): 0 counts as 1.
    void Seed(unsigned seed);
    // The next value in [0, kMax], as rand().
    int Next();

private:
    static constexpr int kDegree = 31, kSeparation = 3;
    std::array<std::uint32_t, kDegree> m_state{};
    int m_front = kSeparation, m_rear = 0;  // the two taps into the ring
};

}  // namespace ReEng
