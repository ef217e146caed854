#include "sim/coach.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <functional>
#include <limits>
#include <numeric>
#include <random>
#include <thread>

#include "platform/text/text_fields.h"
#include "ranking/ranking_files.h"
#include "sim/headless_flight.h"

namespace sim {
namespace {

using Clock = std::chrono::steady_clock;
constexpr float kNoFlight = -std::numeric_limits<float>::infinity();
constexpr int kStoredDigits = 6;  // significant digits of a tail value in an entry file

// The constant trims tried first: a coarse grid, then a fine one around its best.
constexpr double kSweepFrom = -5, kSweepTo = 5, kSweepStep = 0.25;  // deg
constexpr double kFineHalfWidth = 0.2, kFineStep = 0.05;            // deg

// The schedule: knots spread over the constant flight's length and a margin beyond it
// (a better schedule flies longer); after the last knot the tail stays put.
constexpr int kKnots = 24;
constexpr double kSpanPerConstantFlight = 1.3;

// The evolution strategy (diagonal covariance, cumulative step-size control).
constexpr int kPopulation = 16;           // candidates per generation
constexpr double kStartSigma = 0.5;       // deg
constexpr double kConvergedSigma = 1e-4;  // deg: steps this small change nothing stored
constexpr int kStallGenerations = 60;     // generations without a longer flight
constexpr float kImprovement = 1e-3f;     // m that counts as a longer flight

float FlightDistance(const FlightOutcome& outcome) {
  if (!outcome.LaunchEnded || !std::isfinite(outcome.Distance)) return kNoFlight;
  return outcome.Distance;
}

ranking::ControlLog ConstantLog(double storedDeg) {
  ranking::ControlLog log;
  log.Values.fill(storedDeg);
  log.Count = ranking::kControlLogCapacity;
  return log;
}

// Flight step k's value: the knots joined by straight lines, rounded as stored.
ranking::ControlLog ScheduleLog(const std::vector<double>& knots, double stepsPerKnot) {
  ranking::ControlLog log;
  const int last = static_cast<int>(knots.size()) - 1;
  const int spanSteps = std::min(ranking::kControlLogCapacity, static_cast<int>(std::ceil(last * stepsPerKnot)) + 1);
  for (int k = 0; k < spanSteps; ++k) {
    const double at = k / stepsPerKnot;
    const int i = std::min(static_cast<int>(at), last);
    const double value = i == last ? knots[last] : knots[i] + (knots[i + 1] - knots[i]) * (at - i);
    log.Values[k] = StoredTailValue(value);
  }
  const double held = StoredTailValue(knots[last]);
  for (int k = spanSteps; k < ranking::kControlLogCapacity; ++k) log.Values[k] = held;
  log.Count = ranking::kControlLogCapacity;
  return log;
}

// Flies `count` logs on `threads` threads; distances land at their log's index. The
// thread that flies log i asks logFor(i) for it, so a log can also be made there:
// rounding a schedule's few thousand values as the files store them takes a noticeable
// part of a flight's time.
using LogFor = std::function<const ranking::ControlLog&(size_t)>;
std::vector<float> FlyAll(const std::string& text, size_t count, int threads, const LogFor& logFor) {
  std::vector<float> distances(count, kNoFlight);
  std::atomic<size_t> next{0};
  auto work = [&] {
    for (size_t i = next++; i < count; i = next++) distances[i] = FlightDistance(FlyWithControlLog(text, logFor(i)));
  };
  std::vector<std::thread> pool;
  for (int t = 1; t < threads; ++t) pool.emplace_back(work);
  work();
  for (std::thread& t : pool) t.join();
  return distances;
}

// Index of the longest flight; the first of equal ones.
size_t Longest(const std::vector<float>& distances) {
  return static_cast<size_t>(std::max_element(distances.begin(), distances.end()) - distances.begin());
}

void KeepTrack(const std::string& text, ranking::ControlLog& log, std::vector<float>& x, std::vector<float>& heights) {
  const FlightOutcome outcome = FlyWithControlLog(text, log);
  log.Count = static_cast<int16_t>(std::min(outcome.LastStep + 1, ranking::kControlLogCapacity));
  for (int k = 0; k <= outcome.LastStep; ++k) {
    x.push_back(static_cast<float>(outcome.Aircraft->Records[k].Position[flight::kX]));
    heights.push_back(static_cast<float>(-outcome.Aircraft->Records[k].Position[flight::kZ]));
  }
}

struct Search {
  const std::string& Text;
  const CoachOptions& Options;
  int Threads;
  Clock::time_point Start = Clock::now();
  CoachResult Result;

  double Elapsed() const { return std::chrono::duration<double>(Clock::now() - Start).count(); }
  bool MustStop() {
    if (Options.Cancel && Options.Cancel->load()) Result.Cancelled = true;
    return Result.Cancelled || Elapsed() >= Options.Seconds ||
           (Options.MaxEvaluations > 0 && Result.Evaluations >= Options.MaxEvaluations);
  }
  std::vector<float> Fly(size_t count, const LogFor& logFor) {
    Result.Evaluations += static_cast<long>(count);
    return FlyAll(Text, count, Threads, logFor);
  }
  void Report() {
    if (Options.Progress) Options.Progress(std::min(1.0, Elapsed() / Options.Seconds), Result.BestDistance);
  }

  // The best constant trim on the coarse grid, then on the fine one around it.
  void SweepConstantTrims() {
    std::vector<double> trims;
    for (double t = kSweepFrom; t <= kSweepTo + kSweepStep / 2; t += kSweepStep) trims.push_back(StoredTailValue(t));
    for (int pass = 0; pass < 2; ++pass) {
      std::vector<ranking::ControlLog> logs;
      for (double t : trims) logs.push_back(ConstantLog(t));
      const std::vector<float> d = Fly(logs.size(), [&](size_t i) -> const ranking::ControlLog& { return logs[i]; });
      const size_t best = Longest(d);
      if (d[best] > Result.ConstantDistance || pass == 0) {
        Result.ConstantDistance = d[best];
        Result.ConstantTrim = trims[best];
      }
      if (!std::isfinite(Result.ConstantDistance) || MustStop()) return;
      trims.clear();
      for (double t = Result.ConstantTrim - kFineHalfWidth; t <= Result.ConstantTrim + kFineHalfWidth + kFineStep / 2;
           t += kFineStep)
        trims.push_back(StoredTailValue(t));
    }
  }

  void SearchSchedules() {
    const FlightOutcome constant = FlyWithControlLog(Text, ConstantLog(Result.ConstantTrim));
    const double stepsPerKnot = std::max(1.0, constant.LastStep * kSpanPerConstantFlight / (kKnots - 1));
    std::vector<double> bestKnots(kKnots, Result.ConstantTrim);
    Result.BestDistance = Result.ConstantDistance;
    Result.BestLog = ConstantLog(Result.ConstantTrim);

    // Weights of the better half, largest for the best.
    const int mu = kPopulation / 2;
    std::vector<double> weights(mu);
    for (int i = 0; i < mu; ++i) weights[i] = std::log(mu + 0.5) - std::log(i + 1.0);
    const double weightSum = std::accumulate(weights.begin(), weights.end(), 0.0);
    for (double& w : weights) w /= weightSum;
    double squares = 0;
    for (double w : weights) squares += w * w;
    const double muEff = 1 / squares;
    const double n = kKnots;
    const double cSigma = (muEff + 2) / (n + muEff + 5);
    const double dSigma = 1 + 2 * std::max(0.0, std::sqrt((muEff - 1) / (n + 1)) - 1) + cSigma;
    const double cMu = std::min(1.0, (n + 2) / 3 * 2 * (muEff - 2 + 1 / muEff) / ((n + 2) * (n + 2) + muEff));
    const double chiN = std::sqrt(n) * (1 - 1 / (4 * n) + 1 / (21 * n * n));

    std::mt19937_64 random(Options.Seed);
    std::normal_distribution<double> normal;
    std::vector<double> mean = bestKnots, variance(kKnots, 1), path(kKnots, 0);
    double sigma = kStartSigma;
    int stalled = 0;
    while (!MustStop() && stalled < kStallGenerations) {
      std::vector<std::vector<double>> z(kPopulation, std::vector<double>(kKnots));
      std::vector<std::vector<double>> knots(kPopulation, std::vector<double>(kKnots));
      for (int c = 0; c < kPopulation; ++c) {
        for (int k = 0; k < kKnots; ++k) {
          z[c][k] = normal(random);
          knots[c][k] = mean[k] + sigma * std::sqrt(variance[k]) * z[c][k];
        }
      }
      std::vector<ranking::ControlLog> logs(kPopulation);
      const std::vector<float> d = Fly(logs.size(), [&](size_t c) -> const ranking::ControlLog& {
        return logs[c] = ScheduleLog(knots[c], stepsPerKnot);
      });
      std::vector<int> order(kPopulation);
      std::iota(order.begin(), order.end(), 0);
      std::stable_sort(order.begin(), order.end(), [&](int x, int y) { return d[x] > d[y]; });

      const int best = order[0];
      if (d[best] > Result.BestDistance + kImprovement) {
        stalled = 0;
      } else {
        ++stalled;
      }
      if (d[best] > Result.BestDistance) {
        Result.BestDistance = d[best];
        Result.BestLog = logs[best];
        bestKnots = knots[best];
      }

      double pathLength = 0;
      for (int k = 0; k < kKnots; ++k) {
        double zMean = 0, yMean = 0, ySquares = 0;
        for (int i = 0; i < mu; ++i) {
          const double zk = z[order[i]][k];
          const double yk = std::sqrt(variance[k]) * zk;
          zMean += weights[i] * zk;
          yMean += weights[i] * yk;
          ySquares += weights[i] * yk * yk;
        }
        mean[k] += sigma * yMean;
        path[k] = (1 - cSigma) * path[k] + std::sqrt(cSigma * (2 - cSigma) * muEff) * zMean;
        variance[k] = (1 - cMu) * variance[k] + cMu * ySquares;
        pathLength += path[k] * path[k];
      }
      sigma *= std::exp(cSigma / dSigma * (std::sqrt(pathLength) / chiN - 1));
      const double largestVariance = *std::max_element(variance.begin(), variance.end());
      Report();
      if (sigma * std::sqrt(largestVariance) < kConvergedSigma) break;
    }
  }
};

}  // namespace

double StoredTailValue(double deg) {
  // The default formatting of a standard output stream ("%.6g"), as the entry files are
  // written, and read back. to_chars and from_chars round exactly as printf and strtod
  // do in the C locale, several times faster, and a schedule rounds thousands of values.
  char text[32];
  const auto written = std::to_chars(text, text + sizeof text, deg, std::chars_format::general, kStoredDigits);
  double value = 0;
  std::from_chars(text, written.ptr, value);
  return value;
}

std::string CoachEntryText(const std::string& fileText, const ranking::ControlLog& log) {
  std::array<std::string, ranking::kEntryLineCount> lines;
  const std::vector<std::string> specLines = platform::SplitLines(fileText, ranking::kSpecLinesKept);
  for (int k = 0; k < ranking::kSpecLinesKept; ++k)
    lines[k] = k < static_cast<int>(specLines.size()) ? specLines[k] : "";
  lines[ranking::kSpecLinesKept] = ranking::kEntrySeparator;
  return ranking::FormatEntryFile(lines, log);
}

CoachResult RunCoach(const std::string& fileText, const CoachOptions& options) {
  int threads = options.Threads;
  if (threads <= 0) threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  Search search{fileText, options, threads, Clock::now(), {}};
  CoachResult& result = search.Result;

  const FlightOutcome first = FlyWithControlLog(fileText, ConstantLog(0));
  ++result.Evaluations;
  if (!first.LaunchEnded) {
    result.Launches = false;
    result.Seconds = search.Elapsed();
    return result;
  }
  search.SweepConstantTrims();
  if (!std::isfinite(result.ConstantDistance)) {
    result.Finite = false;
    result.Seconds = search.Elapsed();
    return result;
  }
  search.SearchSchedules();

  result.ConstantLog = ConstantLog(result.ConstantTrim);
  KeepTrack(fileText, result.ConstantLog, result.ConstantX, result.ConstantHeights);
  KeepTrack(fileText, result.BestLog, result.BestX, result.BestHeights);
  result.EntryText = CoachEntryText(fileText, result.BestLog);
  result.Seconds = search.Elapsed();
  return result;
}

}  // namespace sim
