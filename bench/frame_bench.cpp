// Frame times of the game's two kinds of frame at 1024x768 on this machine's OpenGL
// (SDL's offscreen driver, Mesa), 500 frames each for the overview, pilot and replay
// cameras; glFinish before every clock reading. Also the time from start-up to the
// first presented frame, the resident memory, and what mixing one tick's sound costs
// (the share of one core the audio thread needs). Run in the game's data folder:
//   cd data && ../build/bench/velkaro_frame_bench [--worst]
#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "flight/flight_step.h"
#include "game/frame_drawing.h"
#include "game/game.h"
#include "game/ranking_list.h"
#include "platform/audio/mixer.h"
#include "platform/gl/gl_device.h"
#include "platform/sdl/gl_context_attributes.h"
#include "platform/os/system_services.h"
#include "sim/flight_runner.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;
constexpr int kFrames = 500;

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from) { return std::chrono::duration<double, std::milli>(Clock::now() - from).count(); }

void Report(const char* name, std::vector<double> times) {
  std::sort(times.begin(), times.end());
  const double median = times[times.size() / 2];
  const double p95 = times[static_cast<size_t>(times.size() * 0.95)];
  std::printf("%-22s median %6.2f ms   p95 %6.2f ms   max %6.2f ms\n", name, median, p95, times.back());
}

long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}

// The same camera choices and launch jitter in every run, so runs compare: one fixed
// seed, and the game's own reseeding from the time of day is ignored.
class FixedRandom : public platform::StdRandom {
public:
  FixedRandom() { StdRandom::Seed(kSeed); }
  void Seed(uint32_t) override {}

private:
  static constexpr uint32_t kSeed = 20261208;
};

class Unpressed : public platform::Input {
public:
  bool IsDown(platform::Key) override { return false; }
  platform::CursorPos Cursor() override { return {}; }
};

// Where the time of a frame goes: the 3D scene with glFinish after each part, summed
// over every frame; with --worst also the costliest frames part by part.
class Breakdown {
public:
  explicit Breakdown(bool listWorst) : listWorst_(listWorst) {}

  // Places the camera with `setCamera` and draws kFrames frames, then prints.
  template <typename SetCamera>
  void Run(game::Game& g, const char* view, SetCamera setCamera) {
    for (int i = 0; i < kFrames; ++i) {
      setCamera();
      game::ApplyView(g.View, *g.Device);
      Frame frame;
      auto t = Clock::now();
      game::DrawWorld(g, [&](const char* part) {
        glFinish();
        frame.Parts.push_back({part, Ms(t)});
        frame.Total += frame.Parts.back().second;
        t = Clock::now();
      });
      g.Device->EndScene();
      frames_.push_back(std::move(frame));
    }
    Print(view);
  }

private:
  struct Frame {
    std::vector<std::pair<const char*, double>> Parts;  // name, ms
    double Total = 0;
    int Index = 0;
  };

  static void PrintParts(const std::vector<std::pair<const char*, double>>& parts, double scale) {
    for (const auto& [name, ms] : parts) std::printf(" %s %.2f", name, ms * scale);
    std::printf(" ms\n");
  }

  void Print(const char* view) {
    std::vector<std::pair<const char*, double>> mean = frames_.front().Parts;
    for (auto& part : mean) part.second = 0;
    for (size_t i = 0; i < frames_.size(); ++i) {
      frames_[i].Index = static_cast<int>(i);
      for (size_t k = 0; k < mean.size() && k < frames_[i].Parts.size(); ++k)
        mean[k].second += frames_[i].Parts[k].second;
    }
    std::printf("  %s, mean per frame:", view);
    PrintParts(mean, 1.0 / static_cast<double>(frames_.size()));
    if (!listWorst_) return;
    constexpr size_t kWorstListed = 10;
    std::sort(frames_.begin(), frames_.end(), [](const Frame& x, const Frame& y) { return x.Total > y.Total; });
    for (size_t i = 0; i < kWorstListed && i < frames_.size(); ++i) {
      std::printf("    frame %3d, %5.2f ms:", frames_[i].Index, frames_[i].Total);
      PrintParts(frames_[i].Parts, 1.0);
    }
  }

  bool listWorst_;
  std::vector<Frame> frames_;
};

// The mixer with every continuous sound going (the wind at a changing airspeed, the
// variometer beeping) and a one-shot started now and then: 0.02 s of sound per tick.
void ReportMixer() {
  constexpr int kTicks = 5000;
  constexpr size_t kSamplesPerTick = platform::audio::kSampleRate / 50;
  constexpr double kTickMs = 20;
  platform::audio::Mixer mixer(platform::audio::LoadSoundBank());
  mixer.SetMix({1, true});
  std::vector<int16_t> out(kSamplesPerTick);
  std::vector<double> times;
  for (int i = 0; i < kTicks; ++i) {
    platform::FlightSound flying;
    flying.AirspeedMs = 8 + 3 * static_cast<float>(i % 200) / 200;
    flying.ClimbRateMs = 0.5f;
    flying.LoadFactor = 1.5f;
    const auto t = Clock::now();
    mixer.SetFlight(flying);
    if (i % 100 == 0) mixer.Play(platform::SoundCue::Splash, 2);
    mixer.Render(out.data(), out.size());
    times.push_back(Ms(t));
  }
  Report("mixing one tick", times);
  double total = 0;
  for (double ms : times) total += ms;
  std::printf("mixer: %.3f %% of one core\n", 100 * total / (kTicks * kTickMs));
}

}  // namespace

int main(int argc, char** argv) {
  const bool listWorst = argc > 1 && std::string(argv[1]) == "--worst";
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  const auto start = Clock::now();
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  platform::RequestGameGlSurface();
  SDL_Window* window = SDL_CreateWindow("velkaro-bench", 0, 0, kWidth, kHeight, SDL_WINDOW_OPENGL);
  SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
  if (!context) {
    std::fprintf(stderr, "no OpenGL context: %s\n", SDL_GetError());
    return 1;
  }
  auto device = platform::gl::GlDevice::Create(kWidth, kHeight, SDL_GL_GetProcAddress, [] { glFinish(); });
  if (!device) return 1;
  GLint depthBits = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depthBits);
  std::printf("renderer: %s, depth %d bits\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)), depthBits);

  platform::SystemClock clock;
  Unpressed input;
  platform::ConsoleDialogs dialogs;
  FixedRandom random;
  platform::ScopedServices services({&clock, &input, &dialogs, &random, nullptr, nullptr});
  game::Game g;
  g.Device = device.get();
  g.WindowWidth = kWidth;
  g.WindowHeight = kHeight;
  g.ClientWidth = kWidth;
  g.ClientHeight = kHeight;
  game::IdleTick(g);  // Init and the first frame
  std::printf("start-up to the first presented frame: %.1f ms\n", Ms(start));

  std::vector<double> times;
  auto measure = [&](auto drawOne) {
    times.clear();
    for (int i = 0; i < kFrames; ++i) {
      const auto t = Clock::now();
      drawOne();
      glFinish();
      times.push_back(Ms(t));
    }
  };

  g.View.Free.Mode = game::CameraMode::Overview;
  measure([&] { game::DrawScene(g, game::FrameKind::Normal); });
  Report("overview (mode 0)", times);

  // The fly-by with the ranking list over it.
  int flyBy = 0;
  measure([&] {
    game::FlyByCamera(g.View, flyBy++ % 1000);
    game::DrawScene(g, game::FrameKind::FlyByFrame);
  });
  Report("fly-by with ranking", times);

  // The ranking list alone, drawn over whatever the last frame left.
  measure([&] { game::DrawRankingList(g, game::ListHighlight::NoLine()); });
  Report("ranking list alone", times);

  // The pilot's view during a flight: leave the platform and fly one step per frame.
  flight::Aircraft& a = *g.Aircraft;
  sim::TailControl ownTail;
  while (sim::LaunchTick(g.Run, a, ownTail, random) == sim::FlightPhase::OnPlatform) {
  }
  g.View.Free.Mode = game::CameraMode::Pilot;
  measure([&] {
    sim::FlightTick(a, ownTail);
    game::DrawScene(g, game::FrameKind::FlightFrame);
  });
  Report("pilot (mode 2) flying", times);

  while (sim::FlightTick(a, ownTail) != sim::FlightPhase::Touchdown) {
  }
  a.Step = 0;
  measure([&] {
    if (flight::ReplayStep(a)) a.Step = 0;
    game::DrawReplayScene(g, game::ListHighlight::NewEntry());
  });
  Report("replay cameras", times);

  std::printf("where the time goes (glFinish after each part):\n");
  a.Step = 0;
  Breakdown(listWorst).Run(g, "replay cameras", [&] {
    if (flight::ReplayStep(a)) a.Step = 0;
    game::ReplayCamera(g.View, a, *g.Device);
  });
  flyBy = 0;
  Breakdown(listWorst).Run(g, "fly-by", [&] {
    game::FlyByCamera(g.View, flyBy++ % 1000);
    game::FreeCamera(g.View, game::FrameKind::FlyByFrame, a, *g.Device);
  });

  ReportMixer();
  std::printf("resident memory: %.1f MB\n", ResidentKiB() / 1024.0);
  game::Shutdown(g);
  device.reset();
  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
