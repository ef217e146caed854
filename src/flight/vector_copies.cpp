#include "flight/vector_copies.h"

namespace flight {
namespace {

bool CpuRunsAvx2() {
#if defined(__x86_64__) && defined(__GNUC__)
  __builtin_cpu_init();  // this may run before the compiler's own start-up code has
  return __builtin_cpu_supports("avx2") != 0;  // also false when the system does not save AVX state
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
