// [SECTION] The game's states, one branch per tick.
#include <cstdio>
#include <ctime>

#include "aircraft/aircraft_file.h"
#include "aircraft/aircraft_model.h"
#include "aircraft/load_aircraft.h"
#include "flight/flight_step.h"
#include "game/frame_drawing.h"
#include "game/game.h"
#include "game/init.h"
#include "platform/services.h"
#include "ranking/control_log.h"
#include "ranking/registration.h"

namespace game {
namespace {

using platform::Key;

constexpr uint32_t kIdleBeforeDemoMs = 10000;
constexpr uint32_t kResultShownMs = 2000;
constexpr int kFlyByTicks = 1000;
constexpr float kTickSeconds = 0.02f;
constexpr int kRankingEntries = 10;
// The distance over the demo and the replay: small cells in the upper right.
constexpr int16_t kSmallCellWidth = 50, kSmallCellHeight = 100, kSmallCellsFromRight = 350;
// The distance after a launch: large cells in the upper left.
constexpr int16_t kLargeCellWidth = 100, kLargeCellHeight = 200;

uint32_t Now() { return platform::Os().clock->NowMs(); }
bool SpaceDown() { return platform::Os().input->IsDown(Key::Space); }
int Rand() { return platform::Os().random->Next(); }

void Pace(Game& g) { app::PaceFrame(g.Pacer, *platform::Os().clock); }

void ShowSmallResult(Game& g) {
  g.Result.Place(static_cast<int16_t>(g.WindowWidth - kSmallCellsFromRight), 0, kSmallCellWidth, kSmallCellHeight);
}

void DoReady(Game& g) {
  if (Now() - g.IdleSince > kIdleBeforeDemoMs && !DesignMode()) {
    g.State = Demo;
    ShowSmallResult(g);
    g.DemoEntry = static_cast<int8_t>(Rand() % kRankingEntries);
    LoadGameAircraft(g, ranking::EntryFileName(g.DemoEntry).c_str());
  }
  DrawScene(g, FrameKind::Normal);
  Pace(g);
  if (SpaceDown()) g.State = Launch;
}

void DoDemoLaunch(Game& g);
void DoDemoFlight(Game& g);
void DoFlyBy(Game& g);

void RunDemoPhase(Game& g) {
  switch (g.Phase) {
    case DemoLaunch: DoDemoLaunch(g); break;
    case DemoFlight: DoDemoFlight(g); break;
    case FlyByStart:
      g.FlyByTick = 0;
      g.Phase = FlyBy;
      DoFlyBy(g);
      break;
    case FlyBy: DoFlyBy(g); break;
    default: break;
  }
}

void DoDemoLaunch(Game& g) {
  g.RunTime += kTickSeconds;
  if (flight::LaunchRun(*g.Aircraft, g.Run, g.RunTime, *platform::Os().random)) {
    g.Phase = DemoFlight;
    g.RunTime = 0;
    DoDemoFlight(g);
    return;
  }
  DrawScene(g, FrameKind::Normal);
  Pace(g);
}

void DoDemoFlight(Game& g) {
  flight::Aircraft& a = *g.Aircraft;
  a.TailSetting = g.Ranking->EntryLogs[g.DemoEntry].Values[a.Step];
  if (flight::FlightStep(a)) {
    g.Phase = FlyByStart;
    g.State = Restart;
    return;
  }
  flight::ShowRecord(a);
  DrawReplayScene(g, g.DemoEntry);
  Pace(g);
}

void DoFlyBy(Game& g) {
  if (g.FlyByTick < kFlyByTicks) {
    FlyByCamera(g.View, g.FlyByTick);
  } else {
    g.Phase = DemoLaunch;
  }
  DrawScene(g, FrameKind::FlyByFrame);
  Pace(g);
  g.FlyByTick += 1;
}

void DoDemo(Game& g) {
  if (SpaceDown()) {
    g.RunTime = 0;
    g.State = Restart;
    g.Phase = (g.Phase == FlyByStart || g.Phase == FlyBy) ? DemoLaunch : FlyByStart;
  }
  RunDemoPhase(g);
}

// One tick of free flight; at touchdown the result is shown from now on.
void FlightTick(Game& g) {
  flight::Aircraft& a = *g.Aircraft;
  if (flight::FlightStep(a)) {
    g.State = Landed;
    g.TouchdownTime = Now();
    return;
  }
  flight::ShowRecord(a);
  flight::TailInput(a, g.Tail, *platform::Os().input);
}

void FlightFrame(Game& g) {
  ranking::LogTailSetting(*g.Ranking, g.Aircraft->TailSetting);
  DrawScene(g, FrameKind::FlightFrame);
  Pace(g);
}

void DoLaunch(Game& g) {
  g.RunTime += kTickSeconds;
  flight::TailInput(*g.Aircraft, g.Tail, *platform::Os().input);
  if (flight::LaunchRun(*g.Aircraft, g.Run, g.RunTime, *platform::Os().random)) {
    g.Result.Place(0, 0, kLargeCellWidth, kLargeCellHeight);
    g.RunTime = 0;
    g.State = Flight;
    // The first flight step flies with the tail as trimmed on the platform: that is
    // the value the flight's log starts with, so the flight can be flown again from it.
    ranking::SetFlightStartTail(*g.Ranking, g.Aircraft->TailSetting);
    FlightTick(g);
    FlightFrame(g);
    return;
  }
  DrawScene(g, FrameKind::Normal);
  Pace(g);
}

void DoFlight(Game& g) {
  FlightTick(g);
  FlightFrame(g);
}

void DoLanded(Game& g) {
  const uint32_t t = Now();
  DrawScene(g, FrameKind::ResultFrame);
  Pace(g);
  if (DesignMode()) {
    if (SpaceDown()) g.State = WaitRelease;
    return;
  }
  if (t - g.TouchdownTime > kResultShownMs) {
    g.State = Replay;
    ranking::RegisterDistance(*g.Ranking, g.Aircraft->DisplayX, g.Aircraft->Step);
    aircraft::ParseAircraftSpec(*g.Aircraft, ranking::kWorkingAircraftFile);
    flight::ShowRecord(*g.Aircraft);
    ShowSmallResult(g);
  }
}

void DoReplay(Game& g) {
  if (SpaceDown()) g.State = WaitRelease;
  if (flight::ReplayStep(*g.Aircraft)) g.State = Restart;
  Pace(g);
  g.View.Projection.FovY = kWideFov;
  ApplyProjection(g.View, *g.Device);
  DrawReplayScene(g, -1);
}

void DoRestart(Game& g) {
  LoadGameAircraft(g, ranking::kWorkingAircraftFile);
  ResetReplayCamera(g.View, *g.Device);
  ranking::ResetControlLog(*g.Ranking, g.Aircraft->TailSetting);
  g.State = Ready;
  g.IdleSince = Now();
  flight::LaunchRun(*g.Aircraft, g.Run, 0, *platform::Os().random);
}

void DoInit(Game& g) {
  platform::Os().random->Seed(static_cast<uint32_t>(std::time(nullptr)));
  LoadGameAircraft(g, ranking::kWorkingAircraftFile);
  CreateLongLivedObjects(g);
  g.State = Ready;
  ResetReplayCamera(g.View, *g.Device);
  g.IdleSince = Now();
  ranking::ResetControlLog(*g.Ranking, g.Aircraft->TailSetting);
  DoReady(g);
}

}  // namespace

bool DesignMode() { return platform::Os().menu && platform::Os().menu->IsChecked(kDesignModeCommand); }

void LoadGameAircraft(Game& g, const char* gameFileName) {
  aircraft::LoadOptions options;
  options.BuildModel = [&g](const flight::Aircraft& a) -> std::unique_ptr<flight::AircraftModel> {
    return aircraft::BuildAircraftModel(a, *g.Device);
  };
  aircraft::LoadAircraft(g.Aircraft, gameFileName, options);
  g.RunTime = 0;
}

void IdleTick(Game& g) {
  switch (g.State) {
    case Init: DoInit(g); break;
    case Ready: DoReady(g); break;
    case Demo: DoDemo(g); break;
    case Launch: DoLaunch(g); break;
    case Flight: DoFlight(g); break;
    case Landed: DoLanded(g); break;
    case Replay: DoReplay(g); break;
    case WaitRelease:
      if (!SpaceDown()) g.State = Restart;
      break;
    case Restart: DoRestart(g); break;
    default: break;  // 8 and above 9: nothing
  }
}

}  // namespace game
