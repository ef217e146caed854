#include "app/boot_config.h"

#include "platform/io/files.h"
#include "platform/text/text_fields.h"

namespace app {
namespace {
constexpr size_t kBootConfigReadLimit = 4096;  // bytes; three short lines
}

BootConfig ParseBootConfig(std::string_view text) {
  platform::FieldReader in(text);
  BootConfig config;
  config.WindowWidth = platform::ParseInt(in.ReadCutCr('\n'));
  config.WindowHeight = platform::ParseInt(in.ReadCutCr('\n'));
  config.FullScreen = platform::ParseInt(in.ReadCutCr('\n'));
  return config;
}

BootConfig ReadBootConfig() {
  const auto text = platform::ReadFilePrefix(kBootConfigFileName, kBootConfigReadLimit);
  return text ? ParseBootConfig(*text) : BootConfig{};
}

}  // namespace app
