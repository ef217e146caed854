#include "config/status_text.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "platform/text/text_fields.h"

namespace config {

std::string Format(const char* format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  return text;
}

std::string DistanceText(double metres) {
  if (!std::isfinite(metres)) return "-";
  return platform::TwoDecimalText(metres);
}

}  // namespace config
