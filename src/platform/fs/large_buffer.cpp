#include "platform/fs/large_buffer.h"

#include <sys/mman.h>

#include <new>

namespace tarvel::fs {
namespace {

size_t MappedSize(size_t bytes) {
    return (bytes + kLargeBlock - 1) / kLargeBlock * kLargeBlock;
}

}  // namespace

void* AllocateLarge(size_t bytes) {
    if (bytes < kLargeBlock) {
        return ::operator new(bytes);
    }
    void* block = ::mmap(nullptr, MappedSize(bytes), PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) {
        throw std::bad_alloc();
    }
    // Only advice: without huge pages the block works the same, just fills more slowly.
    ::madvise(block, MappedSize(bytes), MADV_HUGEPAGE);
    return block;
}

void FreeLarge(void* block, size_t bytes) noexcept {
    if (block == nullptr) {
        return;
    }
    if (bytes < kLargeBlock) {
        ::operator delete(block);
    } else {
        ::munmap(block, MappedSize(bytes));
    }
}

}  // namespace tarvel::fs
