// Any bytes as a design file in the configurator: its problems explained, the
// configurator started on it as "temp.txt" and opening it from another name, then the
// figures and warnings shown for it and a save, which must read back unchanged.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "config/design/design_document.h"
#include "config/design/validation.h"
#include "config/figures/game_figures.h"
#include "config/files/aircraft_file_check.h"
#include "fakes/temp_dir.h"
#include "platform/io/file_ops.h"

namespace {

constexpr const char* kOpenedName = "rank\\rank3.txt";  // a design opened from the ranking

void DescribeAll(const std::vector<config::FileProblem>& problems, const std::string& fileName) {
  for (const config::FileProblem& problem : problems) config::DescribeFileProblem(problem, fileName);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static fakes::TempWorkingDir dir;
  static const bool noFlushes = (platform::fileops::testing::SkipDiskFlushes(true), true);
  (void)noFlushes;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  DescribeAll(config::CheckAircraftFileText(text), kOpenedName);

  fakes::WriteText(config::kDesignFileName, text);
  fakes::WriteText("rank/rank3.txt", text);
  config::DesignDocument document = config::StartDocument();
  if (config::RequestOpen(document, kOpenedName) == config::DesignChange::Kept && document.AskUnsaved)
    config::ContinueWithoutSaving(document);
  if (document.Editor.SourceName != kOpenedName) __builtin_trap();  // the file is there to be opened
  DescribeAll(document.Editor.Problems, kOpenedName);

  const config::GameFigures figures = config::ComputeFigures(document.Editor.Spec);
  const std::vector<config::DesignWarning> warnings = config::ValidateDesign(document.Editor.Spec, figures);
  for (const config::DesignWarning& warning : warnings) config::DescribeWarning(warning);
  // What the configurator saves is what the game reads back.
  if (config::SaveDesign(document.Editor) == config::SaveResult::ReadBackDiffers) __builtin_trap();
  return 0;
}
