#include "ranking/pending_warnings.h"

#include "platform/services.h"

namespace ranking {

void PendingWarnings::Show() {
  for (const std::string& text : texts_) platform::ShowWarning(text);
  texts_.clear();
}

}  // namespace ranking
