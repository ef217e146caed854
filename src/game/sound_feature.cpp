// The sound as a feature of the game: after each tick it tells the sound what the shown
// aircraft does (the run along the platform, the flight), the touchdowns of the
// player's flight, the demo and the replay, and whether a registered flight ranked.
// Without a sound installed it does nothing.
#include <cmath>

#include "flight/constants.h"
#include "game/features.h"
#include "game/flight_sound.h"
#include "platform/services.h"

namespace game {
namespace {

constexpr float kHalf = 0.5f;

platform::Sound* SoundOut() { return platform::Os().sound; }

// The latest row whose forces are known: a flight step fills in the airspeed and the
// lift of the row it starts from, and the replay has moved past the row it drew.
const flight::FlightRecord& LatestRow(const Game& g) {
  const flight::Aircraft& a = *g.Aircraft;
  return a.Records[a.Step > 0 ? a.Step - 1 : 0];
}

bool Airborne(const Game& g) {
  return g.State == Flight || g.State == Replay || (g.State == Demo && g.Phase == DemoFlight);
}

bool OnPlatform(const Game& g) { return g.State == Launch || (g.State == Demo && g.Phase == DemoLaunch); }

// Whether the tick just ended a flight at its touchdown: the demo's (which then
// restarts before its fly-by) or the replay's (which then restarts). The player's own
// touchdown has its hook.
bool ShownFlightTouchedDown(const Game& g) {
  const auto before = static_cast<GameState>(g.Sounds.StateBefore);
  if (before == Demo && (g.Sounds.PhaseBefore == DemoLaunch || g.Sounds.PhaseBefore == DemoFlight)) {
    return g.State == Restart && g.Phase == FlyByStart;
  }
  return before == Replay && g.State == Restart;
}

void Splash(const Game& g) {
  const flight::Aircraft& a = *g.Aircraft;
  const platform::FlightSound last = AirborneSound(a, a.Records[a.LastStep]);
  SoundOut()->Play(platform::SoundCue::Splash, -last.ClimbRateMs);
}

FeatureRequest NoteStateBefore(Game& g, InputSnapshot&) {
  // A run starts from where the aircraft stands now.
  if (!OnPlatform(g)) g.Sounds.RunDistanceBefore = g.Run.Launch.RunDistance;
  g.Sounds.StateBefore = g.State;
  g.Sounds.PhaseBefore = g.Phase;
  return FeatureRequest::None;
}

void TellTheTick(Game& g) {
  if (!SoundOut() || !g.Aircraft) return;
  platform::FlightSound heard;
  if (OnPlatform(g)) {
    heard.RunSpeedMs = static_cast<float>((g.Run.Launch.RunDistance - g.Sounds.RunDistanceBefore) / flight::kTimeStep);
    g.Sounds.RunDistanceBefore = g.Run.Launch.RunDistance;
  } else if (Airborne(g)) {
    heard = AirborneSound(*g.Aircraft, LatestRow(g));
  }
  SoundOut()->SetFlight(heard);
  if (ShownFlightTouchedDown(g)) Splash(g);
}

void TellTouchdown(Game& g) {
  if (SoundOut()) Splash(g);
}

void TellRanking(Game& g) {
  if (!SoundOut() || !g.Ranking) return;
  const int index = g.Ranking->NewEntryIndex;
  if (index == 0) SoundOut()->Play(platform::SoundCue::NewBest);
  if (index > 0 && index < ranking::kNoNewEntry) SoundOut()->Play(platform::SoundCue::Ranked);
}

}  // namespace

platform::FlightSound AirborneSound(const flight::Aircraft& a, const flight::FlightRecord& row) {
  const double pitch = row.Position[flight::kPitch];
  const double u = row.Velocity[flight::kX];
  const double w = row.Velocity[flight::kZ];
  const double lift = row.WingCl * kHalf * flight::kAirDensity * row.Airspeed * row.Airspeed * a.WingArea;
  const double weight = a.Mass * flight::kGravity;
  platform::FlightSound heard;
  heard.AirspeedMs = static_cast<float>(row.Airspeed);
  heard.LoadFactor = weight > 0 ? static_cast<float>(lift / weight) : 0;
  heard.ClimbRateMs = static_cast<float>(u * std::sin(pitch) - w * std::cos(pitch));  // z is downward
  return heard;
}

FeatureHooks SoundHooks() {
  FeatureHooks hooks;
  hooks.BeforeTick = NoteStateBefore;
  hooks.AfterUpdate = TellTheTick;
  hooks.AfterTouchdown = TellTouchdown;
  hooks.AfterRegistration = TellRanking;
  return hooks;
}

}  // namespace game
