#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Memory for large tables and whole-file contents. Blocks of 2 MiB or more come straight from
// the system marked for huge pages, so filling tens of megabytes takes a few page faults instead
// of thousands (each fault is costly, on virtual machines most of all); smaller blocks come from
// the usual heap.
namespace tarvel::fs {

inline constexpr size_t kLargeBlock = size_t{2} << 20;

// Throws std::bad_alloc when the memory cannot be had.
void* AllocateLarge(size_t bytes);
// Frees a block of AllocateLarge given the same size.
void FreeLarge(void* block, size_t bytes) noexcept;

template <class T>
struct LargeAllocator {
    using value_type = T;
    LargeAllocator() = default;
    template <class U>
    LargeAllocator(const LargeAllocator<U>&) noexcept {}
    T* allocate(size_t n) { return static_cast<T*>(AllocateLarge(n * sizeof(T))); }
    void deallocate(T* block, size_t n) noexcept { FreeLarge(block, n * sizeof(T)); }
    template <class U>
    bool operator==(const LargeAllocator<U>&) const noexcept {
        return true;
    }
};

template <class T>
using LargeVector = std::vector<T, LargeAllocator<T>>;

// The whole file as bytes, like ReadFile (up to kLargestStoredFile), in memory of the kind above.
LargeVector<char> ReadLargeFile(const std::string& path);

}  // namespace tarvel::fs
