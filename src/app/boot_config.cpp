#include "app/boot_config.h"

#include "flight/text_fields.h"
#include "platform/files.h"

namespace app {
namespace {
constexpr size_t kBootConfigReadLimit = 4096;  // bytes; three short lines
}

BootConfig ParseBootConfig(std::string_view text) {
  flight::FieldReader in(text);
  BootConfig config;
  config.WindowWidth = flight::ParseInt(in.ReadCutCr('\n'));
  config.WindowHeight = flight::ParseInt(in.ReadCutCr('\n'));
  config.FullScreen = flight::ParseInt(in.ReadCutCr('\n'));
  return config;
}

BootConfig ReadBootConfig() {
  const auto text = platform::ReadFilePrefix(kBootConfigFileName, kBootConfigReadLimit);
  return text ? ParseBootConfig(*text) : BootConfig{};
}

}  // namespace app
