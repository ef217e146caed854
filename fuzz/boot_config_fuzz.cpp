// Any bytes as "BootConfig.txt".
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/boot_config.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  app::ParseBootConfig(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
