// [SECTION] The game's states, one branch per tick.
#include <cstdio>
#include <ctime>
#include <string_view>

#include "aircraft/aircraft_file.h"
#include "aircraft/aircraft_model.h"
#include "aircraft/load_aircraft.h"
#include "flight/flight_step.h"
#include "flight/set_spec.h"
#include "game/device_start_states.h"
#include "game/flight_export.h"
#include "game/frame_drawing.h"
#include "game/game.h"
#include "game/ghost_game.h"
#include "game/pad_controls.h"
#include "game/init.h"
#include "platform/files.h"
#include "platform/services.h"
#include "ranking/control_log.h"
#include "ranking/registration.h"
#include "sim/flight_runner.h"
#include "sim/tail_controls.h"

namespace game {
namespace {

using platform::Key;

constexpr uint32_t kIdleBeforeDemoMs = 10000;
constexpr uint32_t kResultShownMs = 2000;
constexpr int kFlyByTicks = 1000;
constexpr int kRankingEntries = 10;
// The distance over the demo and the replay: small cells in the upper right.
constexpr int16_t kSmallCellWidth = 50, kSmallCellHeight = 100, kSmallCellsFromRight = 350;
// The distance after a launch: large cells in the upper left.
constexpr int16_t kLargeCellWidth = 100, kLargeCellHeight = 200;

uint32_t Now() { return platform::Os().clock->NowMs(); }

// The game's aircraft get their 3D model and a coordinate log.
aircraft::LoadOptions GameLoadOptions(Game& g) {
  aircraft::LoadOptions options;
  options.BuildModel = [&g](const flight::Aircraft& a) -> std::unique_ptr<flight::AircraftModel> {
    return aircraft::BuildAircraftModel(a, *g.Device);
  };
  return options;
}
bool SpaceDown() { return SpaceOrPadADown(*platform::Os().input); }

platform::Random& Random() { return *platform::Os().random; }

void Pace(Game& g) { PaceFrame(g.Pacer, *platform::Os().clock); }

// The player steers the tail with the keys and the mouse, logged into the ranking's
// flight-in-progress log.
sim::PlayerTail PlayerTailOf(Game& g) { return sim::PlayerTail(g.Trim, *platform::Os().input, *g.Ranking); }

void ShowSmallResult(Game& g) {
  g.Result.Place(static_cast<int16_t>(g.WindowWidth - kSmallCellsFromRight), 0, kSmallCellWidth, kSmallCellHeight);
}

void DoReady(Game& g) {
  if (Now() - g.IdleSince > kIdleBeforeDemoMs && !g.DesignMode) {
    StartDemoFlight(g, static_cast<int8_t>(Random().Next() % kRankingEntries));
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

// The demo's aircraft flies the tail settings its ranking entry recorded.
sim::RecordedTail DemoTailOf(Game& g) { return sim::RecordedTail(g.Ranking->EntryLogs[g.DemoEntry]); }

// After a demo flight tick: its touchdown ends the demo undrawn, else the replay frame.
void AfterDemoFlightTick(Game& g, sim::FlightPhase phase) {
  if (phase == sim::FlightPhase::Touchdown) {
    g.Phase = FlyByStart;
    g.State = Restart;
    return;
  }
  DrawReplayScene(g, g.DemoEntry);
  Pace(g);
}

void DoDemoLaunch(Game& g) {
  sim::RecordedTail tail = DemoTailOf(g);
  const sim::FlightPhase phase = sim::LaunchTick(g.Run, *g.Aircraft, tail, Random());
  if (phase != sim::FlightPhase::OnPlatform) {
    g.Phase = DemoFlight;
    AfterDemoFlightTick(g, phase);
    return;
  }
  DrawScene(g, FrameKind::Normal);
  Pace(g);
}

void DoDemoFlight(Game& g) {
  sim::RecordedTail tail = DemoTailOf(g);
  AfterDemoFlightTick(g, sim::FlightTick(*g.Aircraft, tail));
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
    g.Run.RunTime = 0;
    g.State = g.WatchingEntry ? WaitRelease : Restart;
    g.Phase = (g.Phase == FlyByStart || g.Phase == FlyBy) ? DemoLaunch : FlyByStart;
  }
  RunDemoPhase(g);
}

// After a player's flight tick: at touchdown the result is shown from now on; the
// frame is a flight frame either way.
void AfterFlightTick(Game& g, sim::FlightPhase phase) {
  if (phase == sim::FlightPhase::Touchdown) {
    g.State = Landed;
    g.TouchdownTime = Now();
    KeepFinishedFlight(g);
  }
  DrawScene(g, FrameKind::FlightFrame);
  Pace(g);
}

void DoLaunch(Game& g) {
  sim::PlayerTail tail = PlayerTailOf(g);
  const sim::FlightPhase phase = sim::LaunchTick(g.Run, *g.Aircraft, tail, Random());
  if (phase != sim::FlightPhase::OnPlatform) {
    g.Result.Place(0, 0, kLargeCellWidth, kLargeCellHeight);
    g.State = Flight;
    AfterFlightTick(g, phase);
    return;
  }
  DrawScene(g, FrameKind::Normal);
  Pace(g);
}

void DoFlight(Game& g) {
  sim::PlayerTail tail = PlayerTailOf(g);
  AfterFlightTick(g, sim::FlightTick(*g.Aircraft, tail));
}

void DoLanded(Game& g) {
  const uint32_t t = Now();
  DrawScene(g, FrameKind::ResultFrame);
  Pace(g);
  if (g.DesignMode) {
    if (SpaceDown()) g.State = WaitRelease;
    return;
  }
  if (t - g.TouchdownTime > kResultShownMs) {
    g.State = Replay;
    ranking::RegisterDistance(*g.Ranking, g.Aircraft->DisplayX, g.Aircraft->Step, g.PlayerDesignText);
    if (g.PlayerDesignText) {
      flight::SetSpec(*g.Aircraft, aircraft::ParseAircraftSpecText(*g.PlayerDesignText));
    } else {
      aircraft::ParseAircraftSpec(*g.Aircraft, ranking::kWorkingAircraftFile);
    }
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
  sim::PutOnPlatform(g.Run, *g.Aircraft, Random());
}

void DoInit(Game& g) {
  SetDeviceStartStates(*g.Device);
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

void StartDemoFlight(Game& g, int8_t entry) {
  g.State = Demo;
  g.WatchingEntry = false;
  ShowSmallResult(g);
  g.DemoEntry = entry;
  if (g.Ranking->EntryFileOutcome[entry] != platform::ReadOutcome::Read) {
    LoadGameAircraft(g, ranking::EntryFileName(entry).c_str());  // reports the file as the game always has
    return;
  }
  std::string entryText;
  for (const std::string& line : g.Ranking->EntryLines[entry]) entryText += line + "\r\n";
  aircraft::LoadAircraftFromText(g.Aircraft, entryText, GameLoadOptions(g));
  g.Run.RunTime = 0;
  GhostFollowsLoad(g, false);
}

void RestartGame(Game& g) { DoRestart(g); }

void LoadGameAircraft(Game& g, const char* gameFileName) {
  std::optional<std::string> text = aircraft::LoadAircraft(g.Aircraft, gameFileName, GameLoadOptions(g));
  g.Run.RunTime = 0;
  const bool playerDesign = std::string_view(gameFileName) == ranking::kWorkingAircraftFile;
  if (playerDesign) g.PlayerDesignText = std::move(text);
  if (playerDesign && (g.ShowCoach || g.Ghost.Choice == GhostChoice::CoachBest)) FollowPlayerDesign(g);
  GhostFollowsLoad(g, playerDesign);
}

void FollowPlayerDesign(Game& g) {
  constexpr size_t kMaxDesignBytes = 1 << 20;  // far beyond any aircraft file
  if (auto text = platform::ReadFilePrefix(ranking::kWorkingAircraftFile, kMaxDesignBytes)) g.Coach.Follow(*text);
}

void IdleTick(Game& g) {
  GhostBeforeTick(g);
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
