#include "platform/services.h"

#include <cstdio>

#include "platform/text/language.h"
#include "platform/text/shift_jis.h"

namespace platform {

Services& Os() {
  static Services services;
  return services;
}

void ShowWarning(const std::string& sjisText) {
  const std::string shown = Translated(sjisText);
  if (Os().dialogs) {
    Os().dialogs->ShowWarning(shown);
    return;
  }
  std::fprintf(stderr, "%s\n", ShiftJisToUtf8(shown).c_str());
}

ScopedServices::ScopedServices(const Services& services) : previous_(Os()) { Os() = services; }

ScopedServices::~ScopedServices() { Os() = previous_; }

}  // namespace platform
