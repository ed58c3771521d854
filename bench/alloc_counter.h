#pragma once
// Counts heap allocations made through the global operator new, so a
// measurement can say how many allocations a frame makes.
#include <cstdint>

namespace bench {

std::uint64_t AllocationCount();
std::uint64_t AllocatedBytes();
// Heap bytes allocated through operator new and not yet freed.
std::int64_t LiveBytes();

}  // namespace bench
