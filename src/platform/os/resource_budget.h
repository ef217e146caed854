#pragma once
// The memory that loaded pictures and meshes may take together. Each one holds a
// share of the budget for as long as it lives; one that would go past the budget is
// refused like an unreadable file, so no set of data files can make the game's memory
// grow without bound.
#include <cstddef>
#include <optional>

namespace platform {

inline constexpr size_t kResourceBudgetBytes = size_t{384} << 20;

class BudgetShare {
public:
  // A share of `bytes`, or nothing when the budget has not that much left.
  static std::optional<BudgetShare> Take(size_t bytes);
  BudgetShare(BudgetShare&& other) noexcept : bytes_(other.bytes_) { other.bytes_ = 0; }
  BudgetShare& operator=(BudgetShare&& other) noexcept;
  BudgetShare(const BudgetShare&) = delete;
  BudgetShare& operator=(const BudgetShare&) = delete;
  ~BudgetShare();

private:
  explicit BudgetShare(size_t bytes) : bytes_(bytes) {}
  size_t bytes_ = 0;
};

// Bytes of the budget held now.
size_t ResourceBytesInUse();

namespace testing {
// Sets the budget's size (0: back to kResourceBudgetBytes).
void SetResourceBudget(size_t bytes);
}  // namespace testing

}  // namespace platform
