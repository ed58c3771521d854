#include "engine/portable/AdditiveRandom.h"

namespace ReEng {

void AdditiveRandom::Seed(unsigned seed) {
    if (seed == 0) seed = 1;
    m_state[0] = seed;
    // 16807 * word mod (2^31 - 1) by Schrage's method, starting from the
    // seed's bits read as a signed 32-bit word as glibc does, so that seeds
    // at or past 2^31 give the same words too.
    std::int64_t word = static_cast<std::int32_t>(seed);
    for (int i = 1; i < kDegree; ++i) {
        const std::int64_t hi = word / 127773, lo = word % 127773;
        word = 16807 * lo - 2836 * hi;
        if (word < 0) word += 2147483647;
        m_state[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(word);
    }
    m_front = kSeparation;
    m_rear = 0;
    // The first ten rounds of the ring are stirred away, as glibc does.
    for (int i = 0; i < 10 * kDegree; ++i) Next();
}

int AdditiveRandom::Next() {
    std::uint32_t& front = m_state[static_cast<std::size_t>(m_front)];
    front += m_state[static_cast<std::size_t>(m_rear)];  // wraps mod 2^32, as in glibc
    const int result = static_cast<int>(front >> 1);     // the low bit is the least random
    if (++m_front == kDegree) m_front = 0;
    if (++m_rear == kDegree) m_rear = 0;
    return result;
}

}  // namespace ReEng
