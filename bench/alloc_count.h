// Counts every allocation through operator new in the program that includes
// this header (once, in one source file): ALLOCS goes up by one a call.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>

namespace alloccount {
inline size_t ALLOCS = 0;
}  // namespace alloccount

// GCC takes malloc and free in replaced operators for a mismatch.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpragmas"
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t n) {
    ++alloccount::ALLOCS;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t n) { return operator new(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
    ++alloccount::ALLOCS;
    return std::malloc(n ? n : 1);
}
void* operator new[](std::size_t n, const std::nothrow_t& t) noexcept { return operator new(n, t); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop
