// The portable C library calls: the course's random numbers.
#include <cstdlib>
#include <gtest/gtest.h>
#include "engine/portable/AdditiveRandom.h"
#include "engine/portable/Portable.h"

using namespace ReEng;

#ifdef __GLIBC__
// The course on every platform is the one glibc's rand() draws on Linux.
TEST(PortableRandomTest, DrawsGlibcsSequenceForEverySeed) {
    for (unsigned seed : {1u, 0u, 2u, 12345u, 0x7fffffffu, 0x80000000u, 0xffffffffu}) {
        std::srand(seed);
        AdditiveRandom random(seed);
        for (int i = 0; i < 5000; ++i) ASSERT_EQ(random.Next(), std::rand()) << "seed " << seed << ", value " << i;
    }
}
#endif

TEST(PortableRandomTest, UnseededItIsSeedOneAndSrandStartsItAgain) {
    // The first patterns the game draws: section 1, 2, 3... from these.
    const int patterns[] = {1, 1, 0, 1, 2};
    ReEng::srand(1);
    for (int want : patterns) EXPECT_EQ(ReEng::rand() % 3, want);
    AdditiveRandom unseeded;
    ReEng::srand(1);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(unseeded.Next(), ReEng::rand());
}
