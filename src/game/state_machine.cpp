// [SECTION] The game's states. Every tick reads the input once, lets the optional
// features act, does the current state's work (which says what the tick shows), draws
// that frame, then waits for the tick's time slot.
#include <cstdio>
#include <ctime>
#include <string_view>

#include "aircraft/aircraft_file.h"
#include "aircraft/aircraft_model.h"
#include "aircraft/load_aircraft.h"
#include "flight/flight_step.h"
#include "flight/set_spec.h"
#include "game/device_start_states.h"
#include "game/features.h"
#include "game/flight_export.h"
#include "game/frame_drawing.h"
#include "game/game.h"
#include "game/hud_layout.h"
#include "game/init.h"
#include "game/pad_controls.h"
#include "game/tick_input.h"
#include "platform/services.h"
#include "ranking/control_log.h"
#include "ranking/registration.h"
#include "sim/flight_runner.h"
#include "sim/tail_controls.h"

namespace game {
namespace {

constexpr uint32_t kIdleBeforeDemoMs = 10000;
constexpr uint32_t kResultShownMs = 2000;
constexpr int kFlyByTicks = 1000;
constexpr int kRankingEntries = 10;

uint32_t Now() { return platform::Os().clock->NowMs(); }

// The game's aircraft get their 3D model and a coordinate log.
aircraft::LoadOptions GameLoadOptions(Game& g) {
  aircraft::LoadOptions options;
  options.BuildModel = [&g](const flight::Aircraft& a) -> std::unique_ptr<flight::AircraftModel> {
    return aircraft::BuildAircraftModel(a, *g.Device);
  };
  return options;
}

platform::Random& Random() { return *platform::Os().random; }

// The player steers the tail with the keys and the mouse, logged into the ranking's
// flight-in-progress log.
sim::PlayerTail PlayerTailOf(Game& g, InputSnapshot& in) { return sim::PlayerTail(g.Trim, in, *g.Ranking); }

void ShowSmallResult(Game& g) {
  g.Result.Place(static_cast<int16_t>(g.WindowWidth - hud::kSmallCellsFromRight), 0, hud::kSmallCellWidth,
                 hud::kSmallCellHeight);
}

// A live frame of the kind, drawn for the state as it stands now.
FramePlan Live(const Game& g, FrameKind kind) {
  FramePlan plan;
  plan.What = FramePlan::Kind::Live;
  plan.Live = {kind, g.State};
  return plan;
}

FramePlan Replayed(ListHighlight highlight, bool wideLensFirst = false) {
  FramePlan plan;
  plan.What = FramePlan::Kind::Replay;
  plan.Highlight = highlight;
  plan.WideLensFirst = wideLensFirst;
  return plan;
}

// The frame of the start shows the start, even in the tick whose Space launches.
FramePlan DoReady(Game& g, InputSnapshot& in) {
  if (Now() - g.IdleSince > kIdleBeforeDemoMs && !g.DesignMode) {
    StartDemoFlight(g, static_cast<int8_t>(Random().Next() % kRankingEntries));
  }
  const FramePlan plan = Live(g, FrameKind::Normal);
  if (SpaceOrPadADown(in)) g.State = Launch;
  return plan;
}

FramePlan DoDemoLaunch(Game& g);
FramePlan DoDemoFlight(Game& g);
FramePlan DoFlyBy(Game& g);

FramePlan RunDemoPhase(Game& g) {
  switch (g.Phase) {
    case DemoLaunch: return DoDemoLaunch(g);
    case DemoFlight: return DoDemoFlight(g);
    case FlyByStart:
      g.FlyByTick = 0;
      g.Phase = FlyBy;
      return DoFlyBy(g);
    case FlyBy: return DoFlyBy(g);
  }
  return {};
}

// The demo's aircraft flies the tail settings its ranking entry recorded.
sim::RecordedTail DemoTailOf(Game& g) {
  return sim::RecordedTail(g.WatchedLog ? *g.WatchedLog : g.Ranking->EntryLogs[g.DemoEntry]);
}

// After a demo flight tick: its touchdown ends the demo undrawn, else the replay frame.
FramePlan AfterDemoFlightTick(Game& g, sim::FlightPhase phase) {
  if (phase == sim::FlightPhase::Touchdown) {
    g.Phase = FlyByStart;
    g.State = Restart;
    return {};
  }
  // A watched flight from elsewhere has no line of the list to light.
  return Replayed(g.WatchedLog ? ListHighlight::NoLine() : ListHighlight::Line(g.DemoEntry));
}

FramePlan DoDemoLaunch(Game& g) {
  sim::RecordedTail tail = DemoTailOf(g);
  const sim::FlightPhase phase = sim::LaunchTick(g.Run, *g.Aircraft, tail, Random());
  if (phase != sim::FlightPhase::OnPlatform) {
    g.Phase = DemoFlight;
    return AfterDemoFlightTick(g, phase);
  }
  return Live(g, FrameKind::Normal);
}

FramePlan DoDemoFlight(Game& g) {
  sim::RecordedTail tail = DemoTailOf(g);
  return AfterDemoFlightTick(g, sim::FlightTick(*g.Aircraft, tail));
}

FramePlan DoFlyBy(Game& g) {
  if (g.FlyByTick < kFlyByTicks) {
    FlyByCamera(g.View, g.FlyByTick);
  } else {
    g.Phase = DemoLaunch;
  }
  g.FlyByTick += 1;
  return Live(g, FrameKind::FlyByFrame);
}

// Space ends the demo; the start takes input only once it is released, so the press
// that ended the demo does not also launch a flight.
FramePlan DoDemo(Game& g, InputSnapshot& in) {
  if (SpaceOrPadADown(in)) {
    g.Run.RunTime = 0;
    g.State = WaitRelease;
    g.Phase = (g.Phase == FlyByStart || g.Phase == FlyBy) ? DemoLaunch : FlyByStart;
  }
  return RunDemoPhase(g);
}

// After a player's flight tick: at touchdown the result is shown from now on; the
// frame is a flight frame either way.
FramePlan AfterFlightTick(Game& g, sim::FlightPhase phase) {
  if (phase == sim::FlightPhase::Touchdown) {
    g.State = Landed;
    g.ResultShownSince = Now();
    KeepFinishedFlight(g);
    FeaturesAfterTouchdown(g);
  }
  return Live(g, FrameKind::FlightFrame);
}

FramePlan DoLaunch(Game& g, InputSnapshot& in) {
  sim::PlayerTail tail = PlayerTailOf(g, in);
  const sim::FlightPhase phase = sim::LaunchTick(g.Run, *g.Aircraft, tail, Random());
  if (phase != sim::FlightPhase::OnPlatform) {
    g.Result.Place(0, 0, hud::kLargeCellWidth, hud::kLargeCellHeight);
    g.State = Flight;
    return AfterFlightTick(g, phase);
  }
  return Live(g, FrameKind::Normal);
}

FramePlan DoFlight(Game& g, InputSnapshot& in) {
  sim::PlayerTail tail = PlayerTailOf(g, in);
  return AfterFlightTick(g, sim::FlightTick(*g.Aircraft, tail));
}

// Offers the flight to the ranking (which may ask for the pilot's name over the result
// just shown), then sets up its replay: the design flown, its record from the first
// step, and the distance in small digits.
void RegisterAndStartReplay(Game& g) {
  g.State = Replay;
  ranking::RegisterDistance(*g.Ranking, g.Aircraft->DisplayX, g.Aircraft->Step, g.PlayerDesignText);
  FeaturesAfterRegistration(g);
  if (g.PlayerDesignText) {
    flight::SetSpec(*g.Aircraft, aircraft::ParseAircraftSpecText(*g.PlayerDesignText));
  } else {
    aircraft::ParseAircraftSpec(*g.Aircraft, ranking::kWorkingAircraftFile);
  }
  flight::ShowRecord(*g.Aircraft);
  ShowSmallResult(g);
}

// The result is shown for a while, and for as long as a feature holds it; then, once
// its last frame is on the screen, the flight is registered and the replay set up.
FramePlan DoLanded(Game& g, InputSnapshot& in) {
  FramePlan plan = Live(g, FrameKind::ResultFrame);
  if (g.DesignMode) {
    if (SpaceOrPadADown(in)) g.State = WaitRelease;
    return plan;
  }
  if (FeaturesHoldResult(g)) g.ResultShownSince = Now();
  if (Now() - g.ResultShownSince > kResultShownMs) plan.AfterFrame = RegisterAndStartReplay;
  return plan;
}

FramePlan DoReplay(Game& g, InputSnapshot& in) {
  if (SpaceOrPadADown(in)) g.State = WaitRelease;
  if (flight::ReplayStep(*g.Aircraft)) g.State = Restart;
  g.View.Projection.FovY = kWideFov;
  return Replayed(ListHighlight::NewEntry(), true);
}

FramePlan DoWaitRelease(Game& g, InputSnapshot& in) {
  if (!SpaceOrPadADown(in)) g.State = Restart;
  return {};
}

FramePlan DoRestart(Game& g) {
  g.WatchedLog.reset();
  LoadGameAircraft(g, ranking::kWorkingAircraftFile);
  ResetReplayCamera(g.View, *g.Device);
  ranking::ResetControlLog(*g.Ranking, g.Aircraft->TailSetting);
  g.State = Ready;
  g.IdleSince = Now();
  sim::PutOnPlatform(g.Run, *g.Aircraft, Random());
  return {};
}

// The first tick starts the game and is the first tick of Ready.
FramePlan DoInit(Game& g, InputSnapshot& in) {
  SetDeviceStartStates(*g.Device);
  platform::Os().random->Seed(static_cast<uint32_t>(std::time(nullptr)));
  LoadGameAircraft(g, ranking::kWorkingAircraftFile);
  CreateLongLivedObjects(g);
  g.State = Ready;
  ResetReplayCamera(g.View, *g.Device);
  g.IdleSince = Now();
  ranking::ResetControlLog(*g.Ranking, g.Aircraft->TailSetting);
  return DoReady(g, in);
}

// The current state's work: one branch per state.
FramePlan UpdateState(Game& g, InputSnapshot& in) {
  switch (g.State) {
    case Init: return DoInit(g, in);
    case Ready: return DoReady(g, in);
    case Demo: return DoDemo(g, in);
    case Launch: return DoLaunch(g, in);
    case Flight: return DoFlight(g, in);
    case Landed: return DoLanded(g, in);
    case Replay: return DoReplay(g, in);
    case WaitRelease: return DoWaitRelease(g, in);
    case Restart: return DoRestart(g);
  }
  return {};  // any other value: nothing
}

}  // namespace

void StartDemoFlight(Game& g, int8_t entry) {
  g.State = Demo;
  g.WatchingEntry = false;
  g.WatchedLog.reset();
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
  FeaturesAfterLoad(g, false);
}

void StartWatchedFlight(Game& g, const std::string& aircraftText, const ranking::ControlLog& log) {
  g.State = Demo;
  g.WatchingEntry = false;
  ShowSmallResult(g);
  aircraft::LoadAircraftFromText(g.Aircraft, aircraftText, GameLoadOptions(g));
  g.Run.RunTime = 0;
  g.WatchedLog = std::make_unique<ranking::ControlLog>(log);
  FeaturesAfterLoad(g, false);
}

void RestartGame(Game& g) { DoRestart(g); }

void LoadGameAircraft(Game& g, const char* gameFileName) {
  std::optional<std::string> text = aircraft::LoadAircraft(g.Aircraft, gameFileName, GameLoadOptions(g));
  g.Run.RunTime = 0;
  const bool playerDesign = std::string_view(gameFileName) == ranking::kWorkingAircraftFile;
  if (playerDesign) g.PlayerDesignText = std::move(text);
  FeaturesAfterLoad(g, playerDesign);
}

void SetDesignMode(Game& g, bool on) { g.DesignMode = on; }

void ReloadPlayerDesign(Game& g) {
  LoadGameAircraft(g, ranking::kWorkingAircraftFile);
  if (g.Ranking) ranking::ResetControlLog(*g.Ranking, g.Aircraft->TailSetting);
  g.State = Ready;
}

void IdleTick(Game& g) {
  InputSnapshot in = ReadTickInput();
  FeaturesBeforeTick(g, in);
  const FramePlan plan = UpdateState(g, in);
  if (plan.What == FramePlan::Kind::Live) SteerFreeCamera(g.View.Free, in);
  FeaturesAfterUpdate(g);
  DrawFrame(g, plan);
  if (plan.What != FramePlan::Kind::None) PaceFrame(g.Pacer, *platform::Os().clock);
  if (plan.AfterFrame) plan.AfterFrame(g);
}

}  // namespace game
