#include "platform/os/memory_reuse.h"

#include <malloc.h>

namespace platform {
namespace {

constexpr int kLargeBlockBytes = 64 << 20;  // blocks below this come from the heap and stay there

}  // namespace

void KeepLargeAllocationsForReuse() {
  mallopt(M_MMAP_THRESHOLD, kLargeBlockBytes);
  mallopt(M_TRIM_THRESHOLD, kLargeBlockBytes);
}

}  // namespace platform
