// Frame times of the game's two kinds of frame at 1024x768 on this machine's OpenGL
// (SDL's offscreen driver, Mesa), 500 frames each for the overview, pilot and replay
// cameras; glFinish before every clock reading. Also the time from start-up to the
// first presented frame and the resident memory. Run in the game's data folder:
//   cd data && ../build/bench/velkaro_frame_bench
#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
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
#include "platform/gl/gl_device.h"
#include "platform/system_services.h"

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

class Unpressed : public platform::Input {
public:
  bool IsDown(platform::Key) override { return false; }
  platform::CursorPos Cursor() override { return {}; }
};

}  // namespace

int main() {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  const auto start = Clock::now();
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  SDL_Window* window = SDL_CreateWindow("velkaro-bench", 0, 0, kWidth, kHeight, SDL_WINDOW_OPENGL);
  SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
  if (!context) {
    std::fprintf(stderr, "no OpenGL context: %s\n", SDL_GetError());
    return 1;
  }
  auto device = platform::gl::GlDevice::Create(kWidth, kHeight, SDL_GL_GetProcAddress, [] { glFinish(); });
  if (!device) return 1;

  platform::SystemClock clock;
  Unpressed input;
  platform::ConsoleDialogs dialogs;
  platform::StdRandom random;
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

  g.View.Free.Mode = 0;
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
  measure([&] { game::DrawRankingList(g, 100); });
  Report("ranking list alone", times);

  // The pilot's view during a flight: leave the platform and fly one step per frame.
  flight::Aircraft& a = *g.Aircraft;
  float t = 0;
  while (!flight::LaunchRun(a, g.Run, t += 0.02f, random)) {
  }
  g.View.Free.Mode = 2;
  measure([&] {
    if (!flight::FlightStep(a)) flight::ShowRecord(a);
    game::DrawScene(g, game::FrameKind::FlightFrame);
  });
  Report("pilot (mode 2) flying", times);

  while (!flight::FlightStep(a)) flight::ShowRecord(a);
  a.Step = 0;
  measure([&] {
    if (flight::ReplayStep(a)) a.Step = 0;
    game::DrawReplayScene(g, -1);
  });
  Report("replay cameras", times);

  std::printf("resident memory: %.1f MB\n", ResidentKiB() / 1024.0);
  game::Shutdown(g);
  device.reset();
  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
