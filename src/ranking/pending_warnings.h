#pragma once
// Warnings gathered while the ranking folder is locked and shown once it is free again:
// a message box waits for the player, and another game's registration must not wait
// with it.
#include <string>
#include <vector>

namespace ranking {

class PendingWarnings {
public:
  void Add(std::string text) { texts_.push_back(std::move(text)); }
  // Shows the gathered warnings in order and forgets them.
  void Show();

private:
  std::vector<std::string> texts_;
};

}  // namespace ranking
