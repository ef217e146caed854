// velkaro-config: the aircraft configurator. Edits the design in "temp.txt" of the
// game's folder (the working directory when it holds the game's files, as when the
// game starts it as "config.exe" and reads that file when it ends; otherwise the
// player's data folder). `velkaro-config --write-default FILE` writes the built-in design (the shipped
// glider) to FILE, `--export-figures FILE OUT [--sjis]` the figures of a design as CSV,
// `--export-polar` and `--export-sweep` (the same arguments) its glide polar and trim sweep
// as CSV and `--report FILE OUT` its design report as PDF, without opening a window; each
// replaces an existing file only with --force.
#include <imgui.h>

#include <cstdio>
#include <optional>
#include <string>
#include <variant>

#include "aero_panel.h"
#include "aircraft/aircraft_file.h"
#include "config/design/design_document.h"
#include "config/design/design_editor.h"
#include "config/editing_session.h"
#include "config/figures/curve_export.h"
#include "config/figures/figures_export.h"
#include "config/files/save_target.h"
#include "config/language/language_setting.h"
#include "config/report/design_report.h"
#include "config_ui.h"
#include "platform/io/files.h"
#include "platform/os/data_folder.h"
#include "platform/os/program_info.h"
#include "platform/sdl/ui_window.h"
#include "platform/text/language.h"
#include "platform/ui_probe.h"
#include "sim/output_target.h"

namespace {

constexpr int kWindowWidth = 1280;  // px
constexpr int kWindowHeight = 960;  // px
// An idle window sleeps in the event wait and draws nothing: a frame follows input (a
// window event too, as when it is uncovered), work between frames (a sweep, a search,
// the polar, the league) and the few frames after input that hover and focus take.
constexpr int kIdleWaitMs = 1000;
// With the UI probe on, the end-to-end runs read the window's state from the file it
// writes at each frame and wait for frames to come: an idle window then still draws
// four frames a second, as it always did.
constexpr int kProbedIdleWaitMs = 250;
constexpr int kFramesAfterInput = 3;  // hover and focus changes settle within a few frames
constexpr float kFontSize = 15.0f;    // px
constexpr float kBackground = 0.94f;  // light grey behind the panels

// Compact rows: the file has 49 lines of values, and most should fit at once.
void UseCompactStyle() {
  ImGuiStyle& style = ImGui::GetStyle();
  style.FramePadding.y = 2;
  style.ItemSpacing.y = 3;
  style.CellPadding.y = 1;
  // Frames outlined: the light style draws an unticked check box and an empty field
  // white on the white of a popup.
  style.FrameBorderSize = 1;
}

// A folder with a boot file, or one with a design to edit, is the game's folder.
constexpr platform::DataFolderMarkers kDesignFiles{"BootConfig.txt", "temp.txt"};

constexpr int kExitFailed = 1;  // a file could not be read or written, or its name is refused
constexpr int kExitUsage = 2;   // a wrong command line, or an existing file without --force

constexpr const char* kUsage =
    N_("使い方: velkaro-config [--write-default FILE [--force] | --export-figures FILE OUT [--sjis] [--force] |\n"
       "                       --export-polar FILE OUT [--sjis] [--force] |\n"
       "                       --export-sweep FILE OUT [--sjis] [--force] |\n"
       "                       --report FILE OUT [--force] | --help | --version]\n");

// The tail settings the window's polar and sweep fields start with, which the command
// line's exports fly.
config::TrimRange WindowPolarRange() { return config::kPolarStartRange; }

config::TrimRange WindowSweepRange() {
  const config::EditingSession window;
  return {window.SweepFrom, window.SweepTo, window.SweepStep};
}

std::string RangeText(const config::TrimRange& range) {
  return platform::Formatted(
      platform::TranslatedUtf8(N_("%s 度から %s 度まで %s 度刻み")), aircraft::FormatExactNumber(range.From).c_str(),
      aircraft::FormatExactNumber(range.To).c_str(), aircraft::FormatExactNumber(range.Step).c_str());
}

std::string HelpText() {
  const std::string options = platform::Formatted(
      platform::TranslatedUtf8(N_("機体の設定ツールです。ゲームが飛ばす設計 (temp.txt) を単位つきで編集し、\n"
                                  "値の検査、平面図、試験飛行、尾翼取付角の掃引を見せます。\n"
                                  "  --write-default FILE  組み込みの設計 (付属のグライダー) を FILE に書き、\n"
                                  "                        ウィンドウを開かずに終わる\n"
                                  "  --export-figures FILE OUT [--sjis]\n"
                                  "                        FILE の設計の帯の表と設計者向けの値を CSV で OUT に\n"
                                  "                        書き (BOM 付き UTF-8、--sjis では BOM なしの Shift-JIS)、\n"
                                  "                        ウィンドウを開かずに終わる。OUT は丸ごと置き換え、設計や\n"
                                  "                        ゲームのファイルには書かない\n"
                                  "  --export-polar FILE OUT [--sjis]\n"
                                  "                        同じく FILE の設計の滑空ポーラーを、ウィンドウと同じく\n"
                                  "                        飛ばして書く (尾翼取付角 %s)\n"
                                  "  --export-sweep FILE OUT [--sjis]\n"
                                  "                        同じく一定の尾翼取付角の掃引を、ウィンドウと同じく\n"
                                  "                        飛ばして書く (尾翼取付角 %s)\n"
                                  "  --report FILE OUT     FILE の設計の設計レポートを PDF で OUT に書き (値、図、\n"
                                  "                        図表、ポーラー、掃引、飛行、短いコーチの探索)、\n"
                                  "                        ウィンドウを開かずに終わる\n"
                                  "  --force               既にある FILE や OUT を置き換える (ランキングの\n"
                                  "                        ファイル、ゲームの設定、フォルダは置き換えない)\n\n")),
      RangeText(WindowPolarRange()).c_str(), RangeText(WindowSweepRange()).c_str());
  return std::string(platform::TranslatedUtf8(kUsage)) + options + platform::DescribeDataFolder(kDesignFiles) +
         platform::TranslatedUtf8(N_("そこで temp.txt を読み書きします (ウィンドウで選んだファイルも開きます)。\n"));
}

// Says why the file named on the command line is not written, with the exit code; nothing
// when it may be written.
std::optional<int> RefuseOutput(config::SaveTargetCheck check, const char* fileName, bool force) {
  const auto refusal = sim::CommandLineRefusal(check, fileName, force);
  if (!refusal) return std::nullopt;
  std::fprintf(stderr, "velkaro-config: %s\n", refusal->c_str());
  return check == config::SaveTargetCheck::Exists ? kExitUsage : kExitFailed;
}

int WriteDefaultDesign(const char* fileName, bool force) {
  const auto check = config::CheckSaveTarget(platform::NativePath(fileName));
  if (const auto refused = RefuseOutput(check, fileName, force)) return *refused;
  if (!platform::WriteFileAtomically(fileName, aircraft::FormatAircraftSpec(config::DefaultDesign()))) {
    std::fprintf(stderr, "velkaro-config: cannot write %s\n", fileName);
    return kExitFailed;
  }
  return 0;
}

// The exit code of a CSV export, saying on standard error what failed.
int ExportExitCode(config::ExportResult result, const char* designFile, const char* outFile) {
  switch (result) {
    case config::ExportResult::Written: return 0;
    case config::ExportResult::CannotRead: std::fprintf(stderr, "velkaro-config: cannot read %s\n", designFile); break;
    case config::ExportResult::NotADesign:
      std::fprintf(stderr, "velkaro-config: %s is not an aircraft file (its lines are not the design's 49)\n",
                   designFile);
      break;
    case config::ExportResult::Refused:
      std::fprintf(stderr, "velkaro-config: refusing to write %s (a folder, a design or one of the game's files)\n",
                   outFile);
      break;
    case config::ExportResult::CannotWrite:
      std::fprintf(stderr, "velkaro-config: cannot write %s (nothing was written)\n", outFile);
      break;
  }
  return kExitFailed;
}

config::CsvEncoding EncodingOf(bool shiftJis) {
  return shiftJis ? config::CsvEncoding::ShiftJis : config::CsvEncoding::Utf8WithBom;
}

int ExportFiguresCsv(const char* designFile, const char* outFile, bool shiftJis, bool force) {
  const auto check = config::CheckExportTarget(platform::NativePath(outFile));
  if (const auto refused = RefuseOutput(check, outFile, force)) return *refused;
  return ExportExitCode(config::ExportFiguresOfFile(designFile, outFile, EncodingOf(shiftJis)), designFile, outFile);
}

// The curves the window exports, flown over the tail settings its fields start with.
enum class Curve { Polar, Sweep };

std::optional<std::string> CurveCsv(Curve curve, const flight::AircraftSpec& spec, config::CsvEncoding encoding) {
  if (curve == Curve::Polar) {
    if (const auto polar = config::FlyWholePolar(spec, WindowPolarRange()))
      return config::FormatPolarCsv(*polar, encoding);
  } else if (const auto sweep = config::FlyWholeSweep(spec, WindowSweepRange())) {
    return config::FormatSweepCsv(*sweep, encoding);
  }
  return std::nullopt;
}

int ExportCurveCsv(Curve curve, const char* designFile, const char* outFile, bool shiftJis, bool force) {
  const auto check = config::CheckExportTarget(platform::NativePath(outFile));
  if (const auto refused = RefuseOutput(check, outFile, force)) return *refused;
  const auto design = config::ReadDesignToExport(designFile);
  if (const auto* failed = std::get_if<config::ExportResult>(&design))
    return ExportExitCode(*failed, designFile, outFile);
  const auto csv = CurveCsv(curve, std::get<flight::AircraftSpec>(design), EncodingOf(shiftJis));
  if (!csv) {
    std::fputs("velkaro-config: the window's range of tail settings cannot be flown (nothing was written)\n", stderr);
    return kExitFailed;
  }
  return ExportExitCode(config::ExportCsvBytes(*csv, outFile), designFile, outFile);
}

// Flights the report's coach search flies at most: enough to show what the tail can
// add, in a few seconds.
constexpr long kReportCoachFlights = 400;
constexpr double kReportCoachSeconds = 30;  // s, a bound for a slow machine

int WriteReport(const char* designFile, const char* outFile, bool force) {
  const auto check = config::CheckExportTarget(platform::NativePath(outFile));
  if (const auto refused = RefuseOutput(check, outFile, force)) return *refused;
  const auto text = platform::ReadFilePrefix(designFile, aircraft::kAircraftFileReadLimit);
  if (!text) {
    std::fprintf(stderr, "velkaro-config: cannot read %s\n", designFile);
    return kExitFailed;
  }
  config::ReportInput input{.Title = config::ShownName(std::string(designFile)),
                            .Spec = aircraft::ParseAircraftSpecText(*text)};
  input.Schedule = config::ReadEntrySchedule(designFile);
  sim::CoachOptions search;
  search.Seconds = kReportCoachSeconds;
  search.MaxEvaluations = kReportCoachFlights;
  const sim::CoachResult coach = sim::RunCoach(aircraft::FormatAircraftSpec(input.Spec), search);
  input.Coach = &coach;
  const config::ReportResult result = config::WriteDesignReport(input, outFile);
  if (result == config::ReportResult::Written) return 0;
  std::fprintf(stderr, "velkaro-config: %s\n",
               result == config::ReportResult::Refused
                   ? "refusing to write that file (a folder, a design or a game file)"
                   : "cannot write the report (nothing was written)");
  return kExitFailed;
}

// The flags after a command's files: --force, and --sjis where the command takes it,
// each at most once.
struct Flags {
  bool ShiftJis = false;
  bool Force = false;
};

std::optional<Flags> ParseFlags(int argc, char** argv, int first, bool takesSjis) {
  Flags flags;
  for (int i = first; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--force" && !flags.Force) {
      flags.Force = true;
    } else if (arg == "--sjis" && takesSjis && !flags.ShiftJis) {
      flags.ShiftJis = true;
    } else {
      return std::nullopt;
    }
  }
  return flags;
}

}  // namespace

int main(int argc, char** argv) {
  platform::UseLanguage(platform::LanguageChoice::Auto);  // the window speaks the saved choice
  if (const auto answered = platform::AnswerInfoOption(argc, argv, {"velkaro-config", HelpText()})) return *answered;
  const std::string command = argc >= 2 ? argv[1] : "";
  if (command == "--write-default" && argc >= 3) {
    if (const auto flags = ParseFlags(argc, argv, 3, false)) return WriteDefaultDesign(argv[2], flags->Force);
  }
  if (command == "--export-figures" && argc >= 4) {
    if (const auto flags = ParseFlags(argc, argv, 4, true))
      return ExportFiguresCsv(argv[2], argv[3], flags->ShiftJis, flags->Force);
  }
  for (const auto& [name, curve] :
       {std::pair{"--export-polar", Curve::Polar}, std::pair{"--export-sweep", Curve::Sweep}}) {
    if (command != name || argc < 4) continue;
    if (const auto flags = ParseFlags(argc, argv, 4, true))
      return ExportCurveCsv(curve, argv[2], argv[3], flags->ShiftJis, flags->Force);
  }
  if (command == "--report" && argc >= 4) {
    if (const auto flags = ParseFlags(argc, argv, 4, false)) return WriteReport(argv[2], argv[3], flags->Force);
  }
  if (argc != 1) {
    std::fputs(platform::TranslatedUtf8(kUsage), stderr);
    return kExitUsage;
  }
  if (std::string folderError; !platform::EnterDataFolder(kDesignFiles, folderError)) {
    std::fprintf(stderr, "velkaro-config: %s\n", folderError.c_str());
    return 1;
  }
  config::UseSavedLanguage();
  platform::UiWindow window;
  platform::UiWindowOptions options;
  options.Title = "velkaro-config";
  options.Width = kWindowWidth;
  options.Height = kWindowHeight;
  options.Resizable = true;
  options.WaitForVsync = true;
  options.FontSize = kFontSize;
  std::string error;
  if (!window.Open(options, error)) {
    std::fprintf(stderr, "velkaro-config: %s\n", error.c_str());
    return 1;
  }
  UseCompactStyle();
  config::UiState ui;
  config::StartUi(ui);
  platform::SetUiStateSource([&ui] { return std::string(config::UiBusy(ui) ? "busy" : "idle"); });
  int eagerFrames = kFramesAfterInput;
  std::string title = options.Title;
  while (!ui.Document.Quit) {
    const bool eager = config::UiBusy(ui) || eagerFrames > 0;
    const bool probed = window.UiProbeOn();
    const platform::UiWindow::Input input = window.PumpEvents(eager ? 0 : probed ? kProbedIdleWaitMs : kIdleWaitMs);
    if (!eager && !probed && input.Events == 0) continue;  // nothing happened: the last frame still stands
    if (input.Events > 0) {
      eagerFrames = kFramesAfterInput;
    } else if (eagerFrames > 0) {
      --eagerFrames;
    }
    window.BeginUiFrame();
    const bool ctrlS = input.CtrlKeys.find('s') != std::string::npos;
    const bool ctrlShiftS = input.CtrlKeys.find('S') != std::string::npos;
    const bool ctrlO = input.CtrlKeys.find('o') != std::string::npos;
    const bool ctrlZ = input.CtrlKeys.find('z') != std::string::npos;
    const bool ctrlY = input.CtrlKeys.find('y') != std::string::npos;
    config::DrawUi(ui, {.Close = input.CloseRequested,
                        .Save = ctrlS,
                        .SaveAs = ctrlShiftS,
                        .Open = ctrlO,
                        .Undo = ctrlZ,
                        .Redo = ctrlY});
    if (std::string now = config::WindowTitle(ui.Document); now != title) {
      title = std::move(now);
      window.SetTitle(title);
    }
    window.ClearTo(kBackground, kBackground, kBackground);
    window.EndUiFrame();
  }
  return 0;
}
