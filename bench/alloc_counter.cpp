#include "alloc_counter.h"

#include <malloc.h>

#include <cstdlib>
#include <new>

namespace {

// One thread runs the game; relaxed counting is enough and costs little.
std::uint64_t g_count = 0;
std::uint64_t g_bytes = 0;
std::int64_t g_live = 0;  // bytes held right now, as malloc sized the blocks

void* Counted(void* p) {
    g_live += static_cast<std::int64_t>(malloc_usable_size(p));
    return p;
}

void Release(void* p) noexcept {
    if (p == nullptr) return;
    g_live -= static_cast<std::int64_t>(malloc_usable_size(p));
    std::free(p);
}

void* Allocate(std::size_t size) {
    ++g_count;
    g_bytes += size;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return Counted(p);
    throw std::bad_alloc();
}

void* AllocateAligned(std::size_t size, std::align_val_t align) {
    ++g_count;
    g_bytes += size;
    const std::size_t a = static_cast<std::size_t>(align);
    // aligned_alloc wants a size that is a multiple of the alignment.
    const std::size_t rounded = (size + a - 1) / a * a;
    if (void* p = std::aligned_alloc(a, rounded == 0 ? a : rounded)) return Counted(p);
    throw std::bad_alloc();
}

}  // namespace

namespace bench {
std::uint64_t AllocationCount() { return g_count; }
std::uint64_t AllocatedBytes() { return g_bytes; }
std::int64_t LiveBytes() { return g_live; }
}  // namespace bench

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new(std::size_t size, std::align_val_t align) { return AllocateAligned(size, align); }
void* operator new[](std::size_t size, std::align_val_t align) { return AllocateAligned(size, align); }

void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete(void* p, std::align_val_t) noexcept { Release(p); }
void operator delete[](void* p, std::align_val_t) noexcept { Release(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { Release(p); }
