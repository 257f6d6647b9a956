#pragma once

#include <cstddef>
#include <memory>
#include <new>

namespace rqo {

// I/O buffers start on a page boundary: some processors copy into (or out of) a buffer that is
// not 64-byte aligned several times slower, and the kernel's copy of every byte read is the
// bulk of a scan's cost.
inline constexpr std::size_t kIoAlignment = 4096;

struct AlignedBlockDelete {
  void operator()(char* block) const { ::operator delete[](block, std::align_val_t{kIoAlignment}); }
};

// A block of `size` bytes, uninitialized, aligned to kIoAlignment.
using AlignedBlock = std::unique_ptr<char[], AlignedBlockDelete>;

inline AlignedBlock make_aligned_block(std::size_t size) {
  return AlignedBlock(static_cast<char*>(::operator new[](size, std::align_val_t{kIoAlignment})));
}

}  // namespace rqo
