#include "config/design/design_editor.h"

#include <filesystem>

#include "aircraft/aircraft_file.h"
#include "platform/io/files.h"
#include "platform/text/language.h"

namespace config {

flight::AircraftSpec DefaultDesign() {
  flight::AircraftSpec s;
  s.StartZ = -10.5;  // launch height 10.5 m
  s.StartSpeed = 8;
  s.StartPitch = 0;
  s.WindSpeed = 0.5;
  s.TimeStep = flight::kTimeStep;
  s.Mass = 100;
  s.CgPosition = 0.3;
  s.TailPosition = 5;
  s.GyrationRadius = 1.3;
  s.BodyDragCoef = 0.01;
  s.WingSpan = 30;
  s.WingChord = 0.89;
  s.WingIncidence = 4;
  s.WingCm0 = -0.1;
  s.WingAcRatio = 0.25;
  s.WingAirfoil = {.LiftSlope = 6,
                   .ZeroLiftAngle = -6,
                   .ClUpper = 1.5,
                   .ClAboveUpper = 0.9,
                   .ClLower = -0.5,
                   .ClBelowLower = -0.3,
                   .ProfileDrag = 0.012};
  s.TailSpan = 3;
  s.TailChord = 0.6;
  s.TailIncidence = -0.5;
  s.TailAirfoil = {.LiftSlope = 6,
                   .ZeroLiftAngle = 0,
                   .ClUpper = 1,
                   .ClAboveUpper = 0.6,
                   .ClLower = -1,
                   .ClBelowLower = -0.6,
                   .ProfileDrag = 0.01};
  s.StripModel = 1;
  s.WingMass = 25;
  s.CenterHalfWidth = 0.3;
  s.SectionEnabled = {1, 1, 1, 1};
  s.SectionSpan = {5.7, 5, 3, 1};
  s.SectionRootChord = {1.1, 0.99, 0.84, 0.67};
  s.SectionTaper = {0.9, 0.85, 0.8, 0.6};
  s.SectionStiffness1 = {1200000, 1200000, 1200000, 1200000};
  s.SectionStiffness2 = {90, 60, 30, 10};
  s.SectionDihedral = {2, 1, 1, 2};
  s.SectionSweep = {0, 0, 0, 0};
  return s;
}

namespace {

// What the game reads from a file, as the file writer would write it; nothing when the
// file cannot be read.
std::optional<std::string> SavedTextOf(const std::string& fileName) {
  const auto text = platform::ReadFilePrefix(fileName, aircraft::kAircraftFileReadLimit);
  if (!text) return std::nullopt;
  return aircraft::FormatAircraftSpec(aircraft::ParseAircraftSpecText(*text));
}

// The file is the game's design file, by its name or as the same file on disk.
bool IsTheDesignFile(const std::string& nativeName) {
  std::error_code error;
  return nativeName == kDesignFileName || std::filesystem::equivalent(nativeName, kDesignFileName, error);
}

}  // namespace

bool SameDesign(const flight::AircraftSpec& a, const flight::AircraftSpec& b) {
  return aircraft::FormatAircraftSpec(a) == aircraft::FormatAircraftSpec(b);
}

DesignEditor StartEditor() {
  DesignEditor editor;
  editor.Spec = DefaultDesign();
  OpenDesign(editor, kDesignFileName);
  return editor;
}

bool OpenDesign(DesignEditor& editor, std::string_view gameFileName) {
  const auto text = platform::ReadFilePrefix(gameFileName, aircraft::kAircraftFileReadLimit);
  const bool isDesignFile = platform::NativePath(gameFileName) == kDesignFileName;
  const bool savingToDesignFile = editor.TargetName == kDesignFileName;
  editor.ProblemFile = std::string(gameFileName);
  if (!text) {
    editor.Problems = {{FileProblemKind::Missing}};
    if (isDesignFile && savingToDesignFile) editor.SavedText.reset();
    return false;
  }
  editor.Spec = aircraft::ParseAircraftSpecText(*text);
  editor.SourceName = std::string(gameFileName);
  editor.Problems = CheckAircraftFileText(*text);
  if (isDesignFile) {
    editor.SavedText = aircraft::FormatAircraftSpec(editor.Spec);
  } else if (!savingToDesignFile) {
    editor.SavedText = SavedTextOf(kDesignFileName);
  }
  editor.TargetName = kDesignFileName;
  return true;
}

bool IsDirty(const DesignEditor& editor) {
  return !editor.SavedText || aircraft::FormatAircraftSpec(editor.Spec) != *editor.SavedText;
}

SaveResult SaveDesign(DesignEditor& editor) { return SaveDesignAs(editor, editor.TargetName); }

SaveResult SaveDesignAs(DesignEditor& editor, const std::string& fileName) {
  if (AnyRefusal(ValidateDesign(editor.Spec))) return SaveResult::Refused;
  const std::string text = aircraft::FormatAircraftSpec(editor.Spec);
  if (!platform::WriteFileAtomically(fileName, text)) return SaveResult::WriteFailed;
  const auto back = platform::ReadFilePrefix(fileName, aircraft::kAircraftFileReadLimit);
  if (!back || *back != text || !SameDesign(aircraft::ParseAircraftSpecText(*back), editor.Spec)) {
    // Whatever is there now is what the game (or the next open) will read.
    if (platform::NativePath(fileName) == platform::NativePath(editor.TargetName))
      editor.SavedText = SavedTextOf(fileName);
    return SaveResult::ReadBackDiffers;
  }
  editor.SavedText = text;
  editor.SourceName = fileName;
  editor.TargetName = fileName;
  editor.Problems.clear();
  editor.ProblemFile.clear();
  return SaveResult::Saved;
}

std::string DescribeSaveResult(SaveResult result) { return DescribeSaveResult(result, kDesignFileName); }

std::string DescribeSaveResult(SaveResult result, const std::string& fileName) {
  const std::string name = ShownFileName(platform::NativePath(fileName));
  switch (result) {
    case SaveResult::Saved:
      if (IsTheDesignFile(platform::NativePath(fileName)))
        return platform::Formatted(platform::TranslatedUtf8(N_("%s に保存しました。")), name.c_str());
      return platform::Formatted(platform::TranslatedUtf8(N_("%s に保存しました (ゲームが読む temp.txt は元のまま)。")),
                                 name.c_str());
    case SaveResult::Refused:
      return platform::Formatted(
          platform::TranslatedUtf8(
              N_("この設計はゲームで正しく扱えないため保存しません (警告を参照)。%s は変わっていません。")),
          name.c_str());
    case SaveResult::WriteFailed: {
      // A failed write leaves no file behind, so one that is there was there before.
      std::error_code error;
      const bool existed =
          std::filesystem::exists(std::filesystem::symlink_status(platform::NativePath(fileName), error));
      return platform::Formatted(
                 platform::TranslatedUtf8(N_("%s に書き込めません (書き込み権限か空き容量を確認してください)。")),
                 name.c_str()) +
             (existed ? platform::Formatted(platform::TranslatedUtf8(N_("元の %s はそのままです。")), name.c_str())
                      : std::string(platform::TranslatedUtf8(N_("ファイルは作っていません。"))));
    }
    case SaveResult::ReadBackDiffers:
      return platform::Formatted(
          platform::TranslatedUtf8(N_("%s に書きましたが、読み直した値が一致しません。保存した値を確認してください。")),
          name.c_str());
  }
  return {};
}

}  // namespace config
