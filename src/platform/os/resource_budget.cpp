#include "platform/os/resource_budget.h"

namespace platform {
namespace {

size_t g_budget = kResourceBudgetBytes;
size_t g_inUse = 0;

}  // namespace

std::optional<BudgetShare> BudgetShare::Take(size_t bytes) {
  if (bytes > g_budget - g_inUse) return std::nullopt;
  g_inUse += bytes;
  return BudgetShare(bytes);
}

BudgetShare& BudgetShare::operator=(BudgetShare&& other) noexcept {
  if (this != &other) {
    g_inUse -= bytes_;
    bytes_ = other.bytes_;
    other.bytes_ = 0;
  }
  return *this;
}

BudgetShare::~BudgetShare() { g_inUse -= bytes_; }

size_t ResourceBytesInUse() { return g_inUse; }

namespace testing {
void SetResourceBudget(size_t bytes) { g_budget = bytes ? bytes : kResourceBudgetBytes; }
}  // namespace testing

}  // namespace platform
