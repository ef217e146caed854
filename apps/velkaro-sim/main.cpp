// velkaro-sim: flies an aircraft file without graphics and prints the distance.
//
//   velkaro-sim FILE [--trim DEG] [--csv OUT] [--sweep FROM:TO:STEP] [--force]
//   velkaro-sim FILE --optimize [--seconds S] [--seed N] [--out ENTRY] [--force]
//   velkaro-sim ENTRY --submit URL [--contest C] --name N
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "aircraft/aircraft_file.h"
#include "flight/flight_csv.h"
#include "platform/io/files.h"
#include "platform/os/program_info.h"
#include "platform/os/system_services.h"
#include "platform/services.h"
#include "platform/text/language.h"
#include "ranking/ranking_files.h"
#include "sim/coach.h"
#include "sim/headless_flight.h"
#include "sim/output_target.h"
#include "sim/trim_sweep.h"
#include "submit_flight.h"

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitUnreadable = 1;
constexpr int kExitNotFinite = 3;  // the flight's numbers overflowed into infinities or NaN

// "機体データの取得に失敗"
constexpr const char* kSpecOpenFailed =
    "\x8b\x40\x91\xcc\x83\x66\x81\x5b\x83\x5e\x82\xcc\x8e\xe6\x93\xbe\x82\xc9\x8e\xb8\x94\x73";

// The flight's launch run that never ends: the same words for a flight and a search.
constexpr const char* kLaunchNeverEnds =
    "velkaro-sim: the launch run never reaches the platform's edge (start speed too low)\n";

struct Arguments {
  std::string File;
  bool Optimize = false;
  std::optional<double> Seconds;  // s, the search's limit
  std::optional<uint64_t> Seed;
  bool Force = false;  // an existing --out or --csv file may be replaced
  std::optional<std::string> OutPath;
  std::optional<double> Trim;
  std::optional<std::string> CsvPath;
  std::optional<sim::TrimSweepRange> SweepRange;
  std::optional<SubmitOptions> Submit;  // --submit, with --contest and --name
};

constexpr const char* kUsage =
    N_("使い方: velkaro-sim FILE [--trim DEG] [--csv OUT] [--sweep FROM:TO:STEP] [--force]\n"
       "        velkaro-sim FILE --optimize [--seconds S] [--seed N] [--out ENTRY] [--force]\n"
       "        velkaro-sim ENTRY --submit URL [--contest C] --name N\n"
       "        velkaro-sim --help | --version\n"
       "機体をグラフィックなしで、ゲームとまったく同じ計算で飛ばし、飛距離を表示します。\n"
       "  FILE         機体ファイル、またはランキングの記録ファイル (rank/rankN.txt)\n"
       "  --trim DEG   ファイルの尾翼取付角の代わりに、この一定の取付角で飛ばす\n"
       "  --csv OUT    飛行記録をゲームの CSV 書き出しと同じ形で OUT に書く\n"
       "  --sweep A:B:S  A から B まで S きざみの一定の尾翼取付角をすべて飛ばす\n"
       "  --optimize   いちばん遠くまで飛ぶ操舵の予定を S 秒探す (既定 10 秒)\n"
       "  --seed N     探索の乱数 (同じ値なら同じ予定が見つかる)\n"
       "  --out ENTRY  いちばんよい飛行をランキングの記録ファイルとして書く\n"
       "  --submit URL 記録を URL のリーグへ送り、その答えを表示する\n"
       "  --contest C  リーグのコンテスト (open, standard, daily。既定は open)\n"
       "  --name N     リーグに載るパイロット名\n"
       "  --force      既存の OUT や ENTRY を置き換える (ランキング自身のファイル、ゲームの\n"
       "               設定、フォルダ、CSV を書く先の設計ファイルは置き換えない)\n");

constexpr const char* kFilesHelp =
    N_("\nファイル: コマンドラインで指定したものだけを、作業ディレクトリから見た場所で扱います。\n"
       "velkaro-sim は自分のファイルを持ちません。ただし --submit は、プレイヤーのリーグ用\n"
       "トークンをそこの velkaro-settings.txt に残します (ゲームと同じく、初めて使うときに\n"
       "作ります)。OUT と ENTRY はまとめて書き、既存のファイルは --force のときだけ置き換えます。\n");

int Usage(const char* problem) {
  std::fprintf(stderr, "velkaro-sim: %s\n%s", problem, platform::TranslatedUtf8(kUsage));
  return kExitUsage;
}

bool ParseNumber(const std::string& text, double& value) {
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return !text.empty() && end && *end == '\0' && std::isfinite(value);
}

// The sweep, or an error text.
std::variant<sim::TrimSweepRange, std::string> ParseSweep(const std::string& text) {
  const std::string malformed = "--sweep takes FROM:TO:STEP with FROM <= TO and STEP > 0";
  const size_t first = text.find(':');
  const size_t second = first == std::string::npos ? first : text.find(':', first + 1);
  if (second == std::string::npos) return malformed;
  double from = 0, to = 0, step = 0;
  if (!ParseNumber(text.substr(0, first), from) || !ParseNumber(text.substr(first + 1, second - first - 1), to) ||
      !ParseNumber(text.substr(second + 1), step) || !(step > 0) || to < from)
    return malformed;
  if (auto range = sim::MakeTrimSweepRange(from, to, step)) return *range;
  return "--sweep flies at most " + std::to_string(sim::kMaxTrimSweepFlights) + " settings";
}

// Returns an error text, or nothing when the arguments are sound.
std::optional<std::string> ParseArguments(int argc, char** argv, Arguments& args) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--optimize") {
      args.Optimize = true;
    } else if (arg == "--force") {
      args.Force = true;
    } else if (arg == "--submit" || arg == "--contest" || arg == "--name") {
      if (!hasValue) return arg + " needs a value";
      if (!args.Submit) args.Submit = SubmitOptions{"", "open", ""};
      std::string& field = arg == "--submit"    ? args.Submit->Url
                           : arg == "--contest" ? args.Submit->Contest
                                                : args.Submit->PilotUtf8;
      field = argv[++i];
    } else if (arg == "--trim" || arg == "--csv" || arg == "--sweep" || arg == "--seconds" || arg == "--seed" ||
               arg == "--out") {
      if (!hasValue) return arg + " needs a value";
      const std::string value = argv[++i];
      if (arg == "--trim") {
        double trim;
        if (!ParseNumber(value, trim)) return "--trim takes a number of degrees";
        args.Trim = trim;
      } else if (arg == "--csv") {
        args.CsvPath = value;
      } else if (arg == "--out") {
        args.OutPath = value;
      } else if (arg == "--seconds") {
        double seconds;
        if (!ParseNumber(value, seconds) || !(seconds > 0)) return "--seconds takes a positive number";
        args.Seconds = seconds;
      } else if (arg == "--seed") {
        double seed;
        if (!ParseNumber(value, seed) || seed < 0 || seed != std::floor(seed) || seed > 1e15)
          return "--seed takes a whole number";
        args.Seed = static_cast<uint64_t>(seed);
      } else {
        auto sweep = ParseSweep(value);
        if (auto* problem = std::get_if<std::string>(&sweep)) return *problem;
        args.SweepRange = std::get<sim::TrimSweepRange>(sweep);
      }
    } else if (!arg.empty() && arg[0] == '-') {
      return "unknown option " + arg;
    } else if (args.File.empty()) {
      args.File = arg;
    } else {
      return "only one FILE can be flown";
    }
  }
  if (args.File.empty()) return std::string("no FILE given");
  if (args.Trim && args.SweepRange) return std::string("--trim and --sweep exclude each other");
  if (args.Submit && (args.Submit->Url.empty() || args.Submit->PilotUtf8.empty()))
    return std::string("--submit URL needs --name N (and --contest and --name need --submit)");
  if (args.Submit && (args.Optimize || args.Trim || args.SweepRange || args.CsvPath))
    return std::string("--submit sends the entry as it is (no --optimize, --trim, --sweep or --csv)");
  if (args.Optimize && (args.Trim || args.SweepRange || args.CsvPath))
    return std::string("--optimize flies its own schedules (no --trim, --sweep or --csv)");
  if (!args.Optimize && (args.OutPath || args.Seconds || args.Seed))
    return std::string("--out, --seconds and --seed need --optimize");
  return std::nullopt;
}

// Why an output named on the command line must not be written, or nothing.
std::optional<std::string> OutputRefusal(const Arguments& args) {
  if (args.OutPath) {
    const auto check = sim::CheckOutputTarget(platform::NativePath(*args.OutPath));
    if (auto refusal = sim::CommandLineRefusal(check, *args.OutPath, args.Force)) return refusal;
  }
  if (args.CsvPath) {
    const auto check = sim::CheckExportTarget(platform::NativePath(*args.CsvPath));
    if (auto refusal = sim::CommandLineRefusal(check, *args.CsvPath, args.Force)) return refusal;
  }
  return std::nullopt;
}

// The text of FILE, or nothing after saying why it cannot be flown.
std::optional<std::string> ReadAircraftFile(const std::string& file) {
  const auto text = platform::ReadFilePrefix(file, ranking::kRankingReadLimit);
  if (!text) {
    platform::ShowWarning(kSpecOpenFailed);
    return std::nullopt;
  }
  if (!aircraft::HasAircraftFileLayout(*text)) {
    std::fprintf(stderr, "velkaro-sim: %s is not an aircraft file (its lines are not a design's 49)\n", file.c_str());
    return std::nullopt;
  }
  return text;
}

int RunSweep(const Arguments& args, const std::string& text) {
  const sim::TrimSweepRange& sweep = *args.SweepRange;
  double bestTrim = sweep.From;
  float bestDistance = -INFINITY;
  for (int k = 0; k < sweep.Count; ++k) {
    const double trim = sim::TrimSweepSetting(sweep, k);
    const auto outcome = sim::FlyAircraftText(text, {.TrimDeg = trim});
    std::printf("trim=%g distance=%g last_step=%d\n", trim, outcome.Distance, outcome.LastStep);
    if (outcome.LaunchEnded && outcome.Distance > bestDistance) {
      bestDistance = outcome.Distance;
      bestTrim = trim;
    }
  }
  std::printf("best trim=%g distance=%g\n", bestTrim, bestDistance);
  return 0;
}

int RunOptimize(const Arguments& args, const std::string& text) {
  sim::CoachOptions options;
  if (args.Seconds) options.Seconds = *args.Seconds;
  if (args.Seed) options.Seed = *args.Seed;
  const bool showProgress = platform::StandardErrorIsTerminal();
  if (showProgress) {
    options.Progress = [](double share, float best) {
      std::fprintf(stderr, "\rsearching %3d%%  best %.2f m ", static_cast<int>(share * 100), best);
    };
  }
  const sim::CoachResult result = sim::RunCoach(text, options);
  if (showProgress) std::fprintf(stderr, "\r%40s\r", "");
  if (!result.Launches) {
    std::fputs(kLaunchNeverEnds, stderr);
    return kExitUnreadable;
  }
  if (!result.Finite) {
    std::fprintf(stderr, "velkaro-sim: no flight of the design stays finite: the design cannot be flown\n");
    return kExitNotFinite;
  }
  if (args.OutPath && !platform::WriteFileAtomically(*args.OutPath, result.EntryText)) {
    std::fprintf(stderr, "velkaro-sim: cannot write %s\n", args.OutPath->c_str());
    return kExitUnreadable;
  }
  std::printf("best distance=%g constant_trim=%g constant_distance=%g evaluations=%ld seconds=%.2f\n",
              result.BestDistance, result.ConstantTrim, result.ConstantDistance, result.Evaluations, result.Seconds);
  return 0;
}

int RunFlight(const Arguments& args, const std::string& text) {
  const sim::FlightOutcome outcome = sim::FlyAircraftText(text, {.TrimDeg = args.Trim});
  if (!outcome.LaunchEnded) {
    std::fputs(kLaunchNeverEnds, stderr);
    return kExitUnreadable;
  }
  if (!std::isfinite(outcome.Distance)) {
    std::fprintf(stderr,
                 "velkaro-sim: the flight's numbers stopped being finite (distance=%g at step %d): the design "
                 "cannot be flown\n",
                 outcome.Distance, outcome.LastStep);
    return kExitNotFinite;
  }
  if (args.CsvPath && !platform::WriteFileAtomically(*args.CsvPath, flight::FormatFlightCsv(*outcome.Aircraft))) {
    std::fprintf(stderr, "velkaro-sim: cannot write %s\n", args.CsvPath->c_str());
    return kExitUnreadable;
  }
  std::printf("distance=%g last_step=%d launch_ticks=%d\n", outcome.Distance, outcome.LastStep, outcome.LaunchTicks);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  platform::UseLanguage(platform::LanguageChoice::Auto);
  const std::string help = std::string(platform::TranslatedUtf8(kUsage)) + platform::TranslatedUtf8(kFilesHelp);
  if (const auto answered = platform::AnswerInfoOption(argc, argv, {"velkaro-sim", help})) return *answered;
  platform::ConsoleDialogs dialogs;
  platform::Os().dialogs = &dialogs;

  Arguments args;
  if (const auto problem = ParseArguments(argc, argv, args)) return Usage(problem->c_str());
  // Before any flight: a refused name costs no search and leaves every file as it was.
  if (const auto refusal = OutputRefusal(args)) {
    std::fprintf(stderr, "velkaro-sim: %s\n", refusal->c_str());
    return kExitUsage;
  }
  const auto text = ReadAircraftFile(args.File);
  if (!text) return kExitUnreadable;
  if (args.Submit) return SubmitFlight(*text, *args.Submit);
  if (args.SweepRange) return RunSweep(args, *text);
  if (args.Optimize) return RunOptimize(args, *text);
  return RunFlight(args, *text);
}
