#include "platform/services.h"

#include <cstdio>

#include "platform/text/shift_jis.h"

namespace platform {

Services& Os() {
  static Services services;
  return services;
}

void ShowWarning(const std::string& sjisText) {
  if (Os().dialogs) {
    Os().dialogs->ShowWarning(sjisText);
    return;
  }
  std::fprintf(stderr, "%s\n", ShiftJisToUtf8(sjisText).c_str());
}

ScopedServices::ScopedServices(const Services& services) : previous_(Os()) { Os() = services; }

ScopedServices::~ScopedServices() { Os() = previous_; }

}  // namespace platform
