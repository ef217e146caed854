#include "flight/vector_copies.h"

namespace flight {
namespace {

// True when the CPU has AVX2 and the system saves its registers. This runs during static
// initialisation, possibly before the compiler's own CPU detection, hence the init call.
bool CpuRunsAvx2() {
#if defined(__x86_64__) && defined(__GNUC__)
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") != 0;
#else
  return false;
#endif
}

}  // namespace

namespace vector_copies_detail {
std::atomic<bool> avx2CopiesOn{CpuRunsAvx2()};
}

void AllowAvx2Copies(bool allow) {
  vector_copies_detail::avx2CopiesOn.store(allow && CpuRunsAvx2(), std::memory_order_relaxed);
}

}  // namespace flight
